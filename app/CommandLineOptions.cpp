#include "app/CommandLineOptions.h"

#include "layout/LayoutJson.h"

#include <QCommandLineParser>

#include <algorithm>
#include <iterator>
#include <utility>
#include <QRegularExpression>

bool ParseSize(const QString &text, std::int32_t &width, std::int32_t &height)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,6})[xX](\\d{1,6})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    const int w = match.captured(1).toInt();
    const int h = match.captured(2).toInt();
    if (w > 100000 || h > 100000)
        return false;
    width = w;
    height = h;
    return true;
}

CommandLineRequest ParseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Korvix: просмотр и проверка файлов структуры диспетчерского пульта."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Показать эту справку."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Показать версию программы."));
    const QCommandLineOption check(QStringLiteral("check"),
                                   QStringLiteral("Прочитать ФАЙЛ без окна: сообщения проверки выводятся "
                                                  "на стандартный вывод, ошибка чтения на стандартный поток ошибок."));
    const QCommandLineOption dumpLayout(QStringLiteral("dump-layout"),
                                        QStringLiteral("Разместить диспетчерский пункт (--point) в режиме --mode "
                                                       "для окна --size и вывести раскладку в формате JSON."));
    const QCommandLineOption render(QStringLiteral("render"),
                                    QStringLiteral("Как --dump-layout, но нарисовать таблицу в изображение PNG "
                                                   "размером --size и сохранить его в ВЫХОД (дисплей не нужен)."),
                                    QStringLiteral("ВЫХОД"));
    const QCommandLineOption listPoints(QStringLiteral("list-points"),
                                        QStringLiteral("Прочитать ФАЙЛ и вывести имена диспетчерских пунктов, по одному в строке."));
    const QCommandLineOption point(QStringLiteral("point"), QStringLiteral("Имя диспетчерского пункта."),
                                   QStringLiteral("ИМЯ"));
    const QCommandLineOption mode(QStringLiteral("mode"),
                                  QStringLiteral("Режим: streets (по улицам), two-columns (по улицам в две "
                                                 "колонки) или controller (по ПЛУН/Pro/Direct)."),
                                  QStringLiteral("РЕЖИМ"));
    const QCommandLineOption size(QStringLiteral("size"), QStringLiteral("Размер окна таблицы в пикселях, например 1280x800."),
                                  QStringLiteral("ШxВ"));
    const QCommandLineOption dpi(QStringLiteral("dpi"),
                                 QStringLiteral("Разрешение экрана в точках на дюйм, для которого подбираются "
                                                "шрифты таблицы (по умолчанию 96)."),
                                 QStringLiteral("N"));
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("Вид вывода --check: text (по умолчанию), gnu (строки "
                                                   "ФАЙЛ:СТРОКА:СТОЛБЕЦ: для редакторов) или json."),
                                    QStringLiteral("ФОРМАТ"));
    parser.addOptions({help, version, check, dumpLayout, render, listPoints, point, mode, size, dpi, format});
    parser.addPositionalArgument(QStringLiteral("ФАЙЛ"), QStringLiteral("Файл структуры (*.xml)."),
                                 QStringLiteral("[ФАЙЛ]"));

    CommandLineRequest request;
    // The parser's own headings are English and name the executable only
    // once an application object exists; the help is printed before that.
    request.helpText = parser.helpText()
                           .replace(QStringLiteral("<executable_name>"), QStringLiteral("korvix"))
                           .replace(QStringLiteral("Usage:"), QStringLiteral("Использование:"))
                           .replace(QStringLiteral("[options]"), QStringLiteral("[параметры]"))
                           .replace(QStringLiteral("Options:"), QStringLiteral("Параметры:"))
                           .replace(QStringLiteral("Arguments:"), QStringLiteral("Аргументы:"));
    if (!parser.parse(arguments)) {
        request.error = parser.errorText();
        return request;
    }
    if (parser.isSet(help)) {
        request.mode = CommandLineRequest::Mode::Help;
        return request;
    }
    if (parser.isSet(version)) {
        request.mode = CommandLineRequest::Mode::Version;
        return request;
    }

    request.files = parser.positionalArguments();
    if (request.files.size() > 1 && !parser.isSet(check)) {
        request.error = QStringLiteral("Указано больше одного файла.");
        return request;
    }
    if (!request.files.isEmpty())
        request.file = request.files.first();
    if (parser.isSet(format)) {
        if (!parser.isSet(check)) {
            request.error = QStringLiteral("Параметр --format относится к --check.");
            return request;
        }
        static const std::pair<const char16_t *, CommandLineRequest::CheckFormat> kFormats[] = {
            {u"text", CommandLineRequest::CheckFormat::Text},
            {u"gnu", CommandLineRequest::CheckFormat::Gnu},
            {u"json", CommandLineRequest::CheckFormat::Json},
        };
        const QString chosen = parser.value(format);
        const auto known = std::find_if(std::begin(kFormats), std::end(kFormats),
                                        [&](const auto &f) { return chosen == QStringView(f.first); });
        if (known == std::end(kFormats)) {
            request.error = QStringLiteral("Неизвестный формат «%1»: ожидается text, gnu или json.").arg(chosen);
            return request;
        }
        request.checkFormat = known->second;
    }

    const int modes = int(parser.isSet(check)) + int(parser.isSet(dumpLayout)) + int(parser.isSet(render))
        + int(parser.isSet(listPoints));
    if (modes > 1) {
        request.error = QStringLiteral("Режимы --check, --dump-layout, --render и --list-points не совмещаются.");
        return request;
    }
    const bool layoutOptions = parser.isSet(point) || parser.isSet(mode) || parser.isSet(size) || parser.isSet(dpi);
    const bool layoutMode = parser.isSet(dumpLayout) || parser.isSet(render);
    if (parser.isSet(check) || parser.isSet(listPoints)) {
        request.mode = parser.isSet(check) ? CommandLineRequest::Mode::Check : CommandLineRequest::Mode::ListPoints;
        if (layoutOptions) {
            request.error = QStringLiteral("Параметры --point, --mode, --size и --dpi относятся к --dump-layout и --render.");
            return request;
        }
    } else if (layoutMode) {
        request.mode = parser.isSet(render) ? CommandLineRequest::Mode::Render : CommandLineRequest::Mode::DumpLayout;
        request.output = parser.value(render);
        request.point = parser.value(point);
        if (!parser.isSet(point) || !parser.isSet(mode) || !parser.isSet(size)) {
            request.error = QStringLiteral("Для --dump-layout и --render нужны --point, --mode и --size.");
            return request;
        }
        if (parser.isSet(render) && request.output.isEmpty()) {
            request.error = QStringLiteral("Для --render нужно имя файла изображения.");
            return request;
        }
        const auto chosenMode = LayoutModeFromName(parser.value(mode));
        if (!chosenMode) {
            request.error = QStringLiteral("Неизвестный режим «%1»: ожидается streets, two-columns или controller.")
                                .arg(parser.value(mode));
            return request;
        }
        request.layoutMode = *chosenMode;
        if (!ParseSize(parser.value(size), request.width, request.height)) {
            request.error = QStringLiteral("Размер «%1» не в виде ШxВ (числа от 0 до 100000).")
                                .arg(parser.value(size));
            return request;
        }
        if (parser.isSet(dpi)) {
            bool number = false;
            request.dpi = parser.value(dpi).toInt(&number);
            if (!number || request.dpi < kMinDpi || request.dpi > kMaxDpi) {
                request.error = QStringLiteral("Разрешение «%1» не число от %2 до %3.")
                                    .arg(parser.value(dpi))
                                    .arg(kMinDpi)
                                    .arg(kMaxDpi);
                return request;
            }
        }
    } else if (layoutOptions) {
        request.error = QStringLiteral("Параметры --point, --mode, --size и --dpi относятся к --dump-layout и --render.");
        return request;
    }
    if (request.mode != CommandLineRequest::Mode::Window && request.file.isEmpty())
        request.error = QStringLiteral("Не указан файл структуры.");
    return request;
}
