#include "StringTable.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

struct Entry
{
    int id;
    const char16_t *text;
};

// Sorted by id.
constexpr Entry kEntries[] = {
    {100, u"Не удалось выполнить инициализацию OLE. Убедитесь в том, что используются правильные версии библиотек OLE."},
    {101, u"Прорисовать диспетчерский пункт по улицам"},
    {108, u"Цвет фона пункта"},
    {109, u"Цвет фона улицы"},
    {110, u"Цвет фона всех улицы"},
    {124, u"Стандартный"},
    {125, u"Настройка..."},
    {128, u"Korvix\n\nKorvix\nСтруктуры(*.xml)\n.xml\nKorvix.Document\nKorvix.Document"},
    {1017, u"Прорисовать диспетчерский пункт по ПЛУН/Pro/Direct"},
    {1018, u"Прорисовать диспетчерский пункт по улицам в две колонки"},
    {41074, u"%s элемента %s"},
    {41075, u"%s параметра %s элемента %s"},
    {41077, u"Ошибка при чтении"},
    {41079, u"Ошибка при запросе интерфейса"},
    {41080, u"Ошибка при создании XML анализатора"},
    {41081, u"Ошибка appendChild"},
    {41082, u"Ошибка createProcessingInstruction"},
    {41084, u"Ошибка get_firstChild"},
    {41089, u"Ошибка m_XMLDOM->load"},
    {42005, u"Лифт %s уже включен в группу %s"},
    {42007, u"Лифт %s указаный в группе %s, не заведен в структуре"},
    {42009, u" - Повторное указание диспетчерской"},
    {42010, u" - Повторное указание улицы"},
    {42012, u" - Повторное указание дома для улицы"},
    {42013, u" - Повторное указание подъезда"},
    {42020, u"Вложенность групп глубже %d уровней"},
    {57344, u"Korvix"},
    {57345, u"Готово"},
    {57600, u"Создание нового документа\nСоздать"},
    {57601, u"Открытие существующего документа\nОткрыть"},
    {57603, u"Сохранение активного документа\nСохранить"},
    {57604, u"Сохранение активного документа под новым именем\nСохранить как"},
    {57607, u"Печать активного документа\nПечать"},
    {57616, u"Открытие данного документа"},
    {57634, u"Копирование выделенного фрагмента в буфер обмена\nКопировать"},
    {57635, u"Удаление выделенного фрагмента и его копирование в буфер обмена\nВырезать"},
    {57637, u"Вставка содержимого буфера обмена\nВставить"},
    {57643, u"Отмена последнего действия\nОтменить"},
    {57653, u"Разделение активного окна на области\nРазделить"},
    {57664, u"Вывод сведений о программе, номере ее версии и авторских правах\nО программе"},
    {57665, u"Выход из приложения с запросом на сохранение документов\nВыход"},
    {57680, u"Переход к следующей области окна\nСледующая область"},
    {57681, u"Возврат к предыдущей области окна\nПредыдущая область"},
    {59137, u"CAP"},
    {59138, u"NUM"},
    {59139, u"SCRL"},
    {59392, u"Показать или скрыть панель инструментов\nПереключить панель инструментов"},
    {59393, u"Показать или скрыть строку состояния\nПереключить строку состояния"},
    {61446, u"файл без имени"},
};

static_assert(std::is_sorted(std::begin(kEntries), std::end(kEntries),
                             [](const Entry &a, const Entry &b) { return a.id < b.id; }));

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
                                     [](const Entry &e, int key) { return e.id < key; });
    if (it == std::end(kEntries) || it->id != id)
        return std::nullopt;
    return QStringView(it->text);
}

StringTable::HiddenEntries::HiddenEntries(std::initializer_list<int> ids)
{
    auto &hidden = hiddenIds();
    hidden.insert(hidden.end(), ids.begin(), ids.end());
    m_Count = ids.size();
}

StringTable::HiddenEntries::~HiddenEntries()
{
    auto &hidden = hiddenIds();
    hidden.resize(hidden.size() - m_Count);
}
