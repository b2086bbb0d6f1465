#include "resources/strings/StringTable.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

struct Entry
{
    TextId id;
    const char16_t *text;
};

// Sorted by id: the numbered entries, then the blocks Korvix adds.
constexpr Entry kEntries[] = {
    {TextId::OleInitFailed, u"Не удалось выполнить инициализацию OLE. Убедитесь в том, что используются правильные версии библиотек OLE."},
    {TextId::DrawByStreetsPrompt, u"Прорисовать диспетчерский пункт по улицам"},
    {TextId::PointBackgroundPrompt, u"Цвет фона пункта"},
    {TextId::StreetBackgroundPrompt, u"Цвет фона улицы"},
    {TextId::AllStreetsBackgroundPrompt, u"Цвет фона всех улицы"},
    {TextId::StandardToolbarName, u"Стандартный"},
    {TextId::CustomizeToolbarsMenuText, u"Настройка..."},
    {TextId::DocumentTemplate, u"Korvix\n\nKorvix\nСтруктуры(*.xml)\n.xml\nKorvix.Document\nKorvix.Document"},
    {TextId::DrawByControllerPrompt, u"Прорисовать диспетчерский пункт по ПЛУН/Pro/Direct"},
    {TextId::DrawTwoColumnsPrompt, u"Прорисовать диспетчерский пункт по улицам в две колонки"},
    {TextId::ElementFormat, u"%s элемента %s"},
    {TextId::AttributeFormat, u"%s параметра %s элемента %s"},
    {TextId::ReadFailed, u"Ошибка при чтении"},
    {TextId::NoElementInterface, u"Ошибка при запросе интерфейса"},
    {TextId::CreateParserFailed, u"Ошибка при создании XML анализатора"},
    {TextId::AppendChildFailed, u"Ошибка appendChild"},
    {TextId::CreatePIFailed, u"Ошибка createProcessingInstruction"},
    {TextId::FirstChildFailed, u"Ошибка get_firstChild"},
    {TextId::LoadFailed, u"Ошибка m_XMLDOM->load"},
    {TextId::LiftAlreadyInGroup, u"Лифт %s уже включен в группу %s"},
    {TextId::LiftNotInStructure, u"Лифт %s указаный в группе %s, не заведен в структуре"},
    {TextId::RepeatedPunct, u" - Повторное указание диспетчерской"},
    {TextId::RepeatedStreet, u" - Повторное указание улицы"},
    {TextId::RepeatedHome, u" - Повторное указание дома для улицы"},
    {TextId::RepeatedLift, u" - Повторное указание подъезда"},
    {TextId::GroupsTooDeep, u"Вложенность групп глубже %d уровней"},
    {TextId::ApplicationName, u"Korvix"},
    {TextId::Ready, u"Готово"},
    {TextId::FileNewPrompt, u"Создание нового документа\nСоздать"},
    {TextId::FileOpenPrompt, u"Открытие существующего документа\nОткрыть"},
    {TextId::FileSavePrompt, u"Сохранение активного документа\nСохранить"},
    {TextId::FileSaveAsPrompt, u"Сохранение активного документа под новым именем\nСохранить как"},
    {TextId::FilePrintPrompt, u"Печать активного документа\nПечать"},
    {TextId::RecentFilePrompt, u"Открытие данного документа"},
    {TextId::EditCopyPrompt, u"Копирование выделенного фрагмента в буфер обмена\nКопировать"},
    {TextId::EditCutPrompt, u"Удаление выделенного фрагмента и его копирование в буфер обмена\nВырезать"},
    {TextId::EditPastePrompt, u"Вставка содержимого буфера обмена\nВставить"},
    {TextId::EditUndoPrompt, u"Отмена последнего действия\nОтменить"},
    {TextId::WindowSplitPrompt, u"Разделение активного окна на области\nРазделить"},
    {TextId::AppAboutPrompt, u"Вывод сведений о программе, номере ее версии и авторских правах\nО программе"},
    {TextId::AppExitPrompt, u"Выход из приложения с запросом на сохранение документов\nВыход"},
    {TextId::NextPanePrompt, u"Переход к следующей области окна\nСледующая область"},
    {TextId::PreviousPanePrompt, u"Возврат к предыдущей области окна\nПредыдущая область"},
    {TextId::CapsLockIndicator, u"CAP"},
    {TextId::NumLockIndicator, u"NUM"},
    {TextId::ScrollLockIndicator, u"SCRL"},
    {TextId::ViewToolbarPrompt, u"Показать или скрыть панель инструментов\nПереключить панель инструментов"},
    {TextId::ViewStatusBarPrompt, u"Показать или скрыть строку состояния\nПереключить строку состояния"},
    {TextId::UntitledDocument, u"файл без имени"},

    // The structure model and its XML reader.
    {TextId::ValueNotInteger, u"значение не является целым числом"},
    {TextId::NumberOutOfRange, u"число вне допустимого диапазона"},
    {TextId::ElementsNestedTooDeep, u"слишком глубокая вложенность элементов"},
    {TextId::EncodingWideWithoutMarkOrDeclaration, u"текст записан в кодировке %1 без метки порядка байтов и без объявления кодировки"},
    {TextId::EncodingDeclaredWideButNarrow, u"в объявлении указана кодировка %1, но текст записан однобайтовыми символами"},
    {TextId::EncodingMarkContradictsDeclaration, u"метка порядка байтов задаёт кодировку %1, а объявление XML — «%2»"},
    {TextId::EncodingWidthContradictsDeclaration, u"текст записан в кодировке %1, а объявление XML указывает «%2»"},
    {TextId::XmlErrorParserText, u"ошибка разбора XML %1: %2"},
    {TextId::XmlErrorInvalidUtf8, u"недопустимая последовательность байтов UTF-8"},
    {TextId::XmlErrorInvalidUtf8Byte, u"недопустимая последовательность байтов UTF-8 (%1)"},
    {TextId::XmlErrorMalformedCharRef, u"ссылка на символ «&#...;» записана с ошибкой или указывает на символ NUL"},
    {TextId::XmlErrorCharRefNotAllowed, u"ссылка на символ U+%1, недопустимый в XML"},
    {TextId::XmlErrorNulCharacter, u"недопустимый символ NUL"},
    {TextId::XmlErrorCharacterNotAllowed, u"недопустимый символ U+%1"},
    {TextId::XmlErrorInvalidCharInAttribute, u"недопустимый символ в значении атрибута"},
    {TextId::XmlErrorInvalidChar, u"недопустимый символ"},
    {TextId::XmlErrorDocumentEmpty, u"в документе нет корневого элемента (ожидался открывающий тег «<...>»)"},
    {TextId::XmlErrorExtraContent, u"после корневого элемента есть ещё содержимое (у документа один корневой элемент)"},
    {TextId::XmlErrorInvalidCharRef, u"ссылка на символ, недопустимый в XML, или ошибка в записи ссылки «&#...;»"},
    {TextId::XmlErrorReferenceOutsideRoot, u"ссылка вне корневого элемента"},
    {TextId::XmlErrorAmpersandNotReference, u"знак «&» не начинает ссылку (сам знак записывается как &amp;)"},
    {TextId::XmlErrorEntityRefNotClosed, u"ссылка на сущность не завершена знаком «;» (сам знак «&» записывается как &amp;)"},
    {TextId::XmlErrorUndeclaredEntityExternalSubset, u"сущность «%1» не объявлена в документе, а внешнее описание его типа не читается"},
    {TextId::XmlErrorEntityParseFailed, u"сущность «%1» не удалось разобрать"},
    {TextId::XmlErrorUndeclaredEntity, u"сущность «%1» не объявлена в документе"},
    {TextId::XmlErrorUnparsedEntity, u"ссылка на неразбираемую сущность «%1»"},
    {TextId::XmlErrorExternalEntityInAttribute, u"значение атрибута ссылается на внешнюю сущность «%1»: внешние сущности не читаются"},
    {TextId::XmlErrorUnsupportedEncoding, u"кодировка «%1» не поддерживается"},
    {TextId::XmlErrorUtf16DeclaredButNarrow, u"в объявлении указана кодировка UTF-16, но текст записан однобайтовыми символами"},
    {TextId::XmlErrorEncodingMismatch, u"текст не соответствует объявленной кодировке"},
    {TextId::XmlErrorLtInAttribute, u"знак «<» в значении атрибута (записывается как &lt;)"},
    {TextId::XmlErrorDeclarationValueUnquoted, u"ошибка в объявлении XML «<?xml ...?>»: значение не заключено в кавычки"},
    {TextId::XmlErrorAttributeValueUnquoted, u"значение атрибута должно быть в кавычках"},
    {TextId::XmlErrorAttributeValueTooLong, u"значение атрибута длиннее допустимого"},
    {TextId::XmlErrorAttributeValueNotClosed, u"значение атрибута не закрыто кавычкой"},
    {TextId::XmlErrorAttributeWithoutValue, u"у атрибута %1 нет значения"},
    {TextId::XmlErrorAttributeRedefined, u"атрибут %1 указан у элемента повторно"},
    {TextId::XmlErrorEqualsRequired, u"после имени атрибута нет знака «=»"},
    {TextId::XmlErrorCommentNotClosed, u"комментарий не закрыт"},
    {TextId::XmlErrorHyphensInComment, u"два дефиса «--» внутри комментария"},
    {TextId::XmlErrorProcessingInstruction, u"ошибка в инструкции обработки «<?...?>»"},
    {TextId::XmlErrorDeclarationNotAtStart, u"объявление XML «<?xml ...?>» допустимо только в самом начале файла"},
    {TextId::XmlErrorDeclaration, u"ошибка в объявлении XML «<?xml ...?>»"},
    {TextId::XmlErrorUnsupportedVersion, u"неподдерживаемая версия XML"},
    {TextId::XmlErrorDoctype, u"ошибка в объявлении типа документа (DOCTYPE)"},
    {TextId::XmlErrorCdataEndInText, u"последовательность «]]>» в тексте"},
    {TextId::XmlErrorCdataNotClosed, u"раздел CDATA не закрыт"},
    {TextId::XmlErrorSpaceRequired, u"не хватает пробела в разметке (например, между атрибутами)"},
    {TextId::XmlErrorNameRequired, u"ошибка в разметке: ожидалось имя элемента или атрибута"},
    {TextId::XmlErrorDocumentStart, u"документ не начинается с разметки XML"},
    {TextId::XmlErrorLtRequired, u"ошибка в разметке: ожидался знак «<»"},
    {TextId::XmlErrorGtRequired, u"ошибка в разметке: ожидался знак «>»"},
    {TextId::XmlErrorStartTagNotClosed, u"открывающий тег <%1> не завершён знаком «>»"},
    {TextId::XmlErrorEndTagRequired, u"ожидался закрывающий тег «</...>»"},
    {TextId::XmlErrorTagNameMismatch, u"закрывающий тег </%1> не соответствует открывающему <%2> (строка %3)"},
    {TextId::XmlErrorElementNotClosed, u"элемент <%1> не закрыт (открыт в строке %2)"},
    {TextId::XmlErrorNotWellBalanced, u"элементы вложены неправильно"},
    {TextId::XmlErrorValueRequired, u"ошибка в разметке: ожидалось значение"},
    {TextId::XmlErrorInEntityText, u"ошибка в тексте сущности «%1»"},
    {TextId::XmlErrorEntityLoop, u"сущности ссылаются друг на друга по кругу или разрастаются сверх допустимого"},
    {TextId::XmlErrorNameTooLong, u"имя длиннее допустимого"},
    {TextId::XmlErrorNestingTooDeep, u"слишком глубокая вложенность элементов (больше 256 уровней)"},
    {TextId::XmlErrorTextTooLong, u"текст или значение длиннее допустимого"},
    {TextId::XmlErrorOutOfMemory, u"недостаточно памяти для разбора документа"},
    {TextId::XmlErrorTooManyAttributes, u"у элемента больше %1 атрибутов"},
    {TextId::XmlErrorBytesNotInEncoding, u"текст содержит байты, недопустимые в кодировке %1"},
    {TextId::XmlErrorExternalEntity, u"документ ссылается на внешнюю сущность, а внешние сущности не читаются"},
    {TextId::XmlErrorNamedExternalEntity, u"документ ссылается на внешнюю сущность «%1», а внешние сущности не читаются"},
    {TextId::XmlErrorAtPosition, u"строка %1, столбец %2: %3"},
    {TextId::XmlErrorNoElement, u"в документе нет ни одного элемента"},
    {TextId::XmlErrorTruncatedCharacter, u"текст обрывается посреди символа кодировки %1"},
    {TextId::XmlLoadParseFailed, u"документ не удалось разобрать"},
    {TextId::XmlLoadFileNotFound, u"файл не найден"},
    {TextId::XmlLoadPathNotFound, u"путь не найден"},
    {TextId::XmlLoadAccessDenied, u"доступ запрещён"},
    {TextId::XmlLoadOutOfMemory, u"недостаточно памяти"},
    {TextId::XmlLoadReadFault, u"ошибка чтения файла"},
    {TextId::XmlLoadFileTooLarge, u"файл слишком велик"},
    {TextId::XmlLoadNotRegularFile, u"это не обычный файл"},

    // The log file.
    {TextId::ComNotImplemented, u"не реализовано"},
    {TextId::ComUnspecifiedError, u"неопознанная ошибка"},
    {TextId::ComInvalidArgument, u"параметр задан неверно"},

    // The layout engine and file loading.
    {TextId::StreetNamePrefix, u"ул."},
    {TextId::StreetNamePrefixCapitalized, u"Ул."},
    {TextId::LaneNamePrefix, u"пер."},
    {TextId::LaneNamePrefixCapitalized, u"Пер."},
    {TextId::HouseNamePrefix, u"д."},
    {TextId::HouseNamePrefixCapitalized, u"Д."},
    {TextId::StructureOutOfMemory, u"недостаточно памяти для чтения структуры"},
    {TextId::CannotOpenFile, u"Не удается открыть файл «%1»: %2."},

    // The tree, the table and their panels.
    {TextId::EmptyTableNoLifts, u"В пункте «%1» нет лифтов: таблица пуста."},
    {TextId::EmptyTablePaneTooSmall, u"Таблица пункта «%1» не помещается: нужна область не меньше %2×%3 пикселей (сейчас %4×%5)."},
    {TextId::EmptyTableNotPlaced, u"Таблицу пункта «%1» не удалось разместить."},
    {TextId::StructureTreeNotBuilt, u"Дерево структуры не построено"},
    {TextId::StructureTreeNoMemory, u"недостаточно памяти"},
    {TextId::TooltipPointKind, u"Диспетчерский пункт"},
    {TextId::TooltipStreetKind, u"Улица"},
    {TextId::TooltipHomeKind, u"Дом"},
    {TextId::TooltipLiftKind, u"Лифт"},
    {TextId::TooltipFileLine, u"Строка в файле: %1"},
    {TextId::BlackBackgroundRefused, u"Черный цвет не может использоваться в качестве фона"},
    {TextId::FindFieldPlaceholder, u"Имя, ID или GUID"},
    {TextId::FindBarPreviousTip, u"Предыдущее (Shift+F3)"},
    {TextId::FindBarNextTip, u"Следующее (F3)"},
    {TextId::FindBarCloseTip, u"Закрыть (Esc)"},
    {TextId::MessagesPanelTitle, u"Сообщения"},
    {TextId::MessagesLineHeader, u"Строка"},
    {TextId::MessagesColumnHeader, u"Столбец"},
    {TextId::MessagesTextHeader, u"Сообщение"},
    {TextId::MessagesPanelMore, u"…и ещё %1 сообщений (показаны первые %2)"},

    // The main window, its menus and dialogs.
    {TextId::AboutDialogTitle, u"О проекте Korvix"},
    {TextId::AboutDialogVersion, u"Korvix, версия 1.0"},
    {TextId::AboutDialogOk, u"ОК"},
    {TextId::ReadWithoutPultStatus, u"В файле нет элемента PULT: структура пуста."},
    {TextId::FileNewMenuText, u"&Создать\tCtrl+N"},
    {TextId::FileOpenMenuText, u"&Открыть...\tCtrl+O"},
    {TextId::FileReloadMenuText, u"Об&новить\tF5"},
    {TextId::FileReloadStatusTip, u"Прочитать открытый файл заново"},
    {TextId::ReloadOnChangeMenuText, u"Обновлять &сразу при изменении файла"},
    {TextId::FileSaveMenuText, u"Со&хранить\tCtrl+S"},
    {TextId::FileSaveAsMenuText, u"Сохранить &как..."},
    {TextId::FilePrintMenuText, u"&Печать..."},
    {TextId::AppExitMenuText, u"В&ыход"},
    {TextId::EditUndoMenuText, u"&Отменить\tCtrl+Z"},
    {TextId::EditCutMenuText, u"&Вырезать\tCtrl+X"},
    {TextId::EditCopyMenuText, u"&Копировать\tCtrl+C"},
    {TextId::EditPasteMenuText, u"Вст&авить\tCtrl+V"},
    {TextId::ViewStatusBarMenuText, u"&Строка состояния"},
    {TextId::WindowSplitMenuText, u"&Разделить"},
    {TextId::AppAboutMenuText, u"&О проекте Korvix..."},
    {TextId::NextPaneMenuText, u"Следующая область"},
    {TextId::PreviousPaneMenuText, u"Предыдущая область"},
    {TextId::FindMenuText, u"&Найти...\tCtrl+F"},
    {TextId::FindStatusTip, u"Найти пункт, улицу, дом или лифт по имени, ID или GUID"},
    {TextId::FindNextMenuText, u"Найти &далее\tF3"},
    {TextId::FindPreviousMenuText, u"Найти &ранее\tShift+F3"},
    {TextId::FileMenuTitle, u"&Файл"},
    {TextId::EditMenuTitle, u"&Правка"},
    {TextId::ViewMenuTitle, u"&Вид"},
    {TextId::ToolbarsMenuTitle, u"&Панели инструментов и закрепляемые окна"},
    {TextId::PointMenuTitle, u"П&ункт"},
    {TextId::HelpMenuTitle, u"&Справка"},
    {TextId::NoRecentFilesPlaceholder, u"Последний файл"},
    {TextId::MessagesPanelMenuText, u"Со&общения"},
    {TextId::MessagesOnlyInPanelMenuText, u"Сообщения чтения &только в панели"},
    {TextId::FileChangedOnDisk, u"Файл изменён на диске."},
    {TextId::ReadMessageCount, u"Сообщений при чтении: %1"},
    {TextId::ReadMessageCountFileNotRead, u", файл не прочитан"},
    {TextId::FindNothingFound, u"Ничего не найдено"},
    {TextId::FindWrappedToStart, u"Продолжено с начала"},
    {TextId::FindWrappedToEnd, u"Продолжено с конца"},
    {TextId::OpenDialogTitle, u"Открыть"},
    {TextId::OpenDialogFilters, u"Структуры(*.xml);;Все файлы (*)"},
    {TextId::ToolbarNameLabel, u"Имя панели:"},
    {TextId::CustomizeDialogTitle, u"Настройка"},
    {TextId::CreateToolbarButton, u"&Создать..."},
    {TextId::RenameToolbarButton, u"&Переименовать..."},
    {TextId::DeleteToolbarButton, u"&Удалить"},
    {TextId::ToolbarTextLabelsCheckBox, u"Показывать &подписи к кнопкам"},
    {TextId::ToolbarListLabel, u"Панели инструментов:"},
    {TextId::ToolbarsTabTitle, u"Панели инструментов"},
    {TextId::AddCommandButton, u"&Добавить >"},
    {TextId::RemoveCommandButton, u"< У&брать"},
    {TextId::CommandTargetLabel, u"Панель:"},
    {TextId::AvailableCommandsLabel, u"Команды:"},
    {TextId::ToolbarCommandsLabel, u"На панели:"},
    {TextId::CommandImageLabel, u"Изображение кнопки:"},
    {TextId::CommandsTabTitle, u"Команды"},
    {TextId::OwnCommandImage, u"Своё изображение команды"},
    {TextId::UserImageName, u"Изображение %1"},
    {TextId::NewToolbarDefaultName, u"Настраиваемая %1"},
    {TextId::NewToolbarDialogTitle, u"Новая панель инструментов"},
    {TextId::RenameToolbarDialogTitle, u"Переименовать панель"},
    {TextId::HoldBackReadMessages, u"Остальные сообщения этого файла — только в панели"},

    // The command line.
    {TextId::CheckMessagesNotShown, u"ещё %1 сообщений не показано"},
    {TextId::StructureReadSummary, u"Прочитано: диспетчерских пунктов %1, улиц %2, домов %3, лифтов %4, групп %5."},
    {TextId::StructureFileEmpty, u"Файл «%1» пуст: структура не прочитана."},
    {TextId::CheckedFileEmpty, u"Файл пуст: структура не прочитана."},
    {TextId::LayoutPointNotFound, u"Диспетчерский пункт «%1» не найден."},
    {TextId::CommandLineDescription, u"Korvix: просмотр и проверка файлов структуры диспетчерского пульта."},
    {TextId::HelpOptionText, u"Показать эту справку."},
    {TextId::VersionOptionText, u"Показать версию программы."},
    {TextId::CheckOptionText, u"Прочитать ФАЙЛ без окна: сообщения проверки выводятся на стандартный вывод, ошибка чтения на стандартный поток ошибок."},
    {TextId::DumpLayoutOptionText, u"Разместить диспетчерский пункт (--point) в режиме --mode для окна --size и вывести раскладку в формате JSON."},
    {TextId::RenderOptionText, u"Как --dump-layout, но нарисовать таблицу в изображение PNG размером --size и сохранить его в ВЫХОД (дисплей не нужен)."},
    {TextId::RenderValueName, u"ВЫХОД"},
    {TextId::ListPointsOptionText, u"Прочитать ФАЙЛ и вывести имена диспетчерских пунктов, по одному в строке."},
    {TextId::PointOptionText, u"Имя диспетчерского пункта."},
    {TextId::PointValueName, u"ИМЯ"},
    {TextId::ModeOptionText, u"Режим: streets (по улицам), two-columns (по улицам в две колонки) или controller (по ПЛУН/Pro/Direct)."},
    {TextId::ModeValueName, u"РЕЖИМ"},
    {TextId::SizeOptionText, u"Размер окна таблицы в пикселях, например 1280x800."},
    {TextId::SizeValueName, u"ШxВ"},
    {TextId::DpiOptionText, u"Разрешение экрана в точках на дюйм, для которого подбираются шрифты таблицы (по умолчанию 96)."},
    {TextId::FormatOptionText, u"Вид вывода --check: text (по умолчанию), gnu (строки ФАЙЛ:СТРОКА:СТОЛБЕЦ: для редакторов) или json."},
    {TextId::FormatValueName, u"ФОРМАТ"},
    {TextId::FileArgumentName, u"ФАЙЛ"},
    {TextId::FileArgumentText, u"Файл структуры (*.xml)."},
    {TextId::FileArgumentSyntax, u"[ФАЙЛ]"},
    {TextId::HelpUsageHeading, u"Использование:"},
    {TextId::HelpOptionsSyntax, u"[параметры]"},
    {TextId::HelpOptionsHeading, u"Параметры:"},
    {TextId::HelpArgumentsHeading, u"Аргументы:"},
    {TextId::MoreThanOneFile, u"Указано больше одного файла."},
    {TextId::FormatNeedsCheck, u"Параметр --format относится к --check."},
    {TextId::UnknownCheckFormat, u"Неизвестный формат «%1»: ожидается text, gnu или json."},
    {TextId::ModesDoNotCombine, u"Режимы --check, --dump-layout, --render и --list-points не совмещаются."},
    {TextId::LayoutOptionsNeedLayoutMode, u"Параметры --point, --mode, --size и --dpi относятся к --dump-layout и --render."},
    {TextId::LayoutModeNeedsOptions, u"Для --dump-layout и --render нужны --point, --mode и --size."},
    {TextId::RenderNeedsImageFile, u"Для --render нужно имя файла изображения."},
    {TextId::UnknownLayoutMode, u"Неизвестный режим «%1»: ожидается streets, two-columns или controller."},
    {TextId::SizeNotParsed, u"Размер «%1» не в виде ШxВ (числа от 0 до 100000)."},
    {TextId::DpiOutOfRange, u"Разрешение «%1» не число от %2 до %3."},
    {TextId::NoStructureFile, u"Не указан файл структуры."},
    {TextId::ImageNotWritten, u"Не удалось записать изображение «%1»: %2."},
    {TextId::OutOfMemoryQuitting, u"Недостаточно памяти: Korvix завершает работу.\n"},
    {TextId::HelpHint, u"Справка: korvix --help"},
    {TextId::NoDisplayForWindow, u"Нет дисплея для окна Korvix (не задан DISPLAY). Без окна работают --check, --dump-layout и --render."},
};

static_assert(std::is_sorted(std::begin(kEntries), std::end(kEntries),
                             [](const Entry &a, const Entry &b) { return a.id < b.id; }));
static_assert(std::adjacent_find(std::begin(kEntries), std::end(kEntries),
                                 [](const Entry &a, const Entry &b) { return a.id == b.id; })
              == std::end(kEntries));

std::vector<int> &hiddenIds()
{
    static std::vector<int> ids;
    return ids;
}

} // namespace

std::optional<QStringView> StringTable::Find(int id)
{
    const auto &hidden = hiddenIds();
    if (std::find(hidden.begin(), hidden.end(), id) != hidden.end())
        return std::nullopt;
    const auto it = std::lower_bound(std::begin(kEntries), std::end(kEntries), id,
                                     [](const Entry &e, int key) { return static_cast<int>(e.id) < key; });
    if (it == std::end(kEntries) || static_cast<int>(it->id) != id)
        return std::nullopt;
    return QStringView(it->text);
}

std::optional<QStringView> StringTable::Find(TextId id)
{
    return Find(static_cast<int>(id));
}

StringTable::HiddenEntries::HiddenEntries(std::initializer_list<TextId> ids)
{
    auto &hidden = hiddenIds();
    for (const TextId id : ids)
        hidden.push_back(static_cast<int>(id));
    m_Count = ids.size();
}

StringTable::HiddenEntries::~HiddenEntries()
{
    auto &hidden = hiddenIds();
    hidden.resize(hidden.size() - m_Count);
}
