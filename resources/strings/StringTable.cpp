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

    // The log file.

    // The layout engine and file loading.

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
