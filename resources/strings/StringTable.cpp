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
