cmake_minimum_required(VERSION 3.25)
# Plants one broken include at a time in a small tree and runs the layer check
# on it: each must fail with its reason, and the tree without them must pass.
#
#   cmake -DCHECK=<LayerCheck.cmake> -DWORK_DIR=<dir> -P PlantedLayerBreaks.cmake

# Each case: name | file | include line | what the check must say ("" = passes).
set(cases
    "sound|views/Table.cpp|#include \"model/CRootB.h\"|"
    "sound-own-layer|model/Reader.cpp|#include \"model/xml/XmlDocument.h\"|"
    "sound-generated|log/Start.cpp|#include \"generated/KorvixVersion.h\"|"
    "sound-qtcore|layout/Order.cpp|#include <QCollator>|"
    "sound-gui-above|views/Paint.cpp|#include <QPainter>|"
    "upward|model/Reader.cpp|#include \"views/CKorvixView.h\"|from the higher layer views/"
    "upward-app|shell/Frame.cpp|  #  include \"app/CommandLineOptions.h\"|from the higher layer app/"
    "bare-name|layout/Street.cpp|#include \"CRoot.h\"|does not name a layer"
    "tests-from-layer|log/LogFile.cpp|#include \"tests/support/TempDir.h\"|does not name a layer"
    "gui-module|model/Colour.cpp|#include <QtGui/QColor>|GUI-free layer model includes <QtGui/QColor>"
    "gui-class|layout/Fit.cpp|#include <QFontMetrics>|GUI-free layer layout includes <QFontMetrics>"
    "widgets-in-strings|resources/strings/Table.cpp|#include <QtWidgets/QWidget>|GUI-free layer resources/strings"
)

set(broken "")
foreach(entry ${cases})
    string(REPLACE "|" ";" fields "${entry}")
    list(GET fields 0 name)
    list(GET fields 1 file)
    list(GET fields 2 line)
    list(LENGTH fields field_count)
    set(expected "")
    if(field_count GREATER 3)
        list(GET fields 3 expected)
    endif()

    set(tree ${WORK_DIR}/${name})
    file(REMOVE_RECURSE ${tree})
    # Every layer present with one sound file, so the case is the only fault.
    foreach(layer resources/strings model log layout views shell app)
        file(WRITE ${tree}/${layer}/Sound.cpp "#include \"model/CNodeB.h\"\n#include <QString>\n")
    endforeach()
    file(WRITE ${tree}/resources/strings/Sound.cpp "#include \"resources/strings/StringTable.h\"\n")
    file(WRITE ${tree}/${file} "// planted\n${line}\nint x;\n")

    execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${tree} -P ${CHECK}
        RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    # CMake wraps long messages; compare with the lines joined.
    string(REGEX REPLACE "[ \t\r\n]+" " " said "${out}${err}")
    if(expected STREQUAL "")
        if(NOT result EQUAL 0)
            list(APPEND broken "${name}: a sound tree was refused:\n${said}")
        endif()
    else()
        if(result EQUAL 0)
            list(APPEND broken "${name}: ${line} in ${file} passed the check")
        else()
            string(FIND "${said}" "${expected}" at)
            if(at EQUAL -1)
                list(APPEND broken "${name}: refused, but without \"${expected}\":\n${said}")
            endif()
        endif()
    endif()
endforeach()

if(broken)
    list(JOIN broken "\n" text)
    message(FATAL_ERROR "${text}")
endif()
message(STATUS "Each planted break was refused; the sound trees passed")
