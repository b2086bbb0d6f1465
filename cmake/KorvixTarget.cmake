# Common settings for every Korvix target: warnings and explicit text conversions.
function(korvix_target_defaults target)
    target_compile_definitions(${target} PRIVATE
        QT_NO_CAST_FROM_ASCII
        QT_NO_CAST_TO_ASCII
        QT_NO_CAST_FROM_BYTEARRAY
        QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /utf-8)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wnon-virtual-dtor)
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
            target_compile_options(${target} PRIVATE -Wshadow=local)
        else()
            target_compile_options(${target} PRIVATE -Wshadow-uncaptured-local)
        endif()
    endif()
endfunction()
