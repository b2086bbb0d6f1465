#include "app/CommandLineOptions.h"

#include "layout/LayoutJson.h"
#include "model/ResString.h"

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
    parser.setApplicationDescription(LoadResString(TextId::CommandLineDescription));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  LoadResString(TextId::HelpOptionText));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     LoadResString(TextId::VersionOptionText));
    const QCommandLineOption check(QStringLiteral("check"),
                                   LoadResString(TextId::CheckOptionText));
    const QCommandLineOption dumpLayout(QStringLiteral("dump-layout"),
                                        LoadResString(TextId::DumpLayoutOptionText));
    const QCommandLineOption render(QStringLiteral("render"),
                                    LoadResString(TextId::RenderOptionText),
                                    LoadResString(TextId::RenderValueName));
    const QCommandLineOption listPoints(QStringLiteral("list-points"),
                                        LoadResString(TextId::ListPointsOptionText));
    const QCommandLineOption point(QStringLiteral("point"), LoadResString(TextId::PointOptionText),
                                   LoadResString(TextId::PointValueName));
    const QCommandLineOption mode(QStringLiteral("mode"),
                                  LoadResString(TextId::ModeOptionText),
                                  LoadResString(TextId::ModeValueName));
    const QCommandLineOption size(QStringLiteral("size"), LoadResString(TextId::SizeOptionText),
                                  LoadResString(TextId::SizeValueName));
    const QCommandLineOption dpi(QStringLiteral("dpi"),
                                 LoadResString(TextId::DpiOptionText),
                                 QStringLiteral("N"));
    const QCommandLineOption format(QStringLiteral("format"),
                                    LoadResString(TextId::FormatOptionText),
                                    LoadResString(TextId::FormatValueName));
    parser.addOptions({help, version, check, dumpLayout, render, listPoints, point, mode, size, dpi, format});
    parser.addPositionalArgument(LoadResString(TextId::FileArgumentName), LoadResString(TextId::FileArgumentText),
                                 LoadResString(TextId::FileArgumentSyntax));

    CommandLineRequest request;
    // The parser's own headings are English and name the executable only
    // once an application object exists; the help is printed before that.
    request.helpText = parser.helpText()
                           .replace(QStringLiteral("<executable_name>"), QStringLiteral("korvix"))
                           .replace(QStringLiteral("Usage:"), LoadResString(TextId::HelpUsageHeading))
                           .replace(QStringLiteral("[options]"), LoadResString(TextId::HelpOptionsSyntax))
                           .replace(QStringLiteral("Options:"), LoadResString(TextId::HelpOptionsHeading))
                           .replace(QStringLiteral("Arguments:"), LoadResString(TextId::HelpArgumentsHeading));
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
        request.error = LoadResString(TextId::MoreThanOneFile);
        return request;
    }
    if (!request.files.isEmpty())
        request.file = request.files.first();
    if (parser.isSet(format)) {
        if (!parser.isSet(check)) {
            request.error = LoadResString(TextId::FormatNeedsCheck);
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
            request.error = LoadResString(TextId::UnknownCheckFormat).arg(chosen);
            return request;
        }
        request.checkFormat = known->second;
    }

    const int modes = int(parser.isSet(check)) + int(parser.isSet(dumpLayout)) + int(parser.isSet(render))
        + int(parser.isSet(listPoints));
    if (modes > 1) {
        request.error = LoadResString(TextId::ModesDoNotCombine);
        return request;
    }
    const bool layoutOptions = parser.isSet(point) || parser.isSet(mode) || parser.isSet(size) || parser.isSet(dpi);
    const bool layoutMode = parser.isSet(dumpLayout) || parser.isSet(render);
    if (parser.isSet(check) || parser.isSet(listPoints)) {
        request.mode = parser.isSet(check) ? CommandLineRequest::Mode::Check : CommandLineRequest::Mode::ListPoints;
        if (layoutOptions) {
            request.error = LoadResString(TextId::LayoutOptionsNeedLayoutMode);
            return request;
        }
    } else if (layoutMode) {
        request.mode = parser.isSet(render) ? CommandLineRequest::Mode::Render : CommandLineRequest::Mode::DumpLayout;
        request.output = parser.value(render);
        request.point = parser.value(point);
        if (!parser.isSet(point) || !parser.isSet(mode) || !parser.isSet(size)) {
            request.error = LoadResString(TextId::LayoutModeNeedsOptions);
            return request;
        }
        if (parser.isSet(render) && request.output.isEmpty()) {
            request.error = LoadResString(TextId::RenderNeedsImageFile);
            return request;
        }
        const auto chosenMode = LayoutModeFromName(parser.value(mode));
        if (!chosenMode) {
            request.error = LoadResString(TextId::UnknownLayoutMode).arg(parser.value(mode));
            return request;
        }
        request.layoutMode = *chosenMode;
        if (!ParseSize(parser.value(size), request.width, request.height)) {
            request.error = LoadResString(TextId::SizeNotParsed).arg(parser.value(size));
            return request;
        }
        if (parser.isSet(dpi)) {
            bool number = false;
            request.dpi = parser.value(dpi).toInt(&number);
            if (!number || request.dpi < kMinDpi || request.dpi > kMaxDpi) {
                request.error = LoadResString(TextId::DpiOutOfRange)
                                    .arg(parser.value(dpi))
                                    .arg(kMinDpi)
                                    .arg(kMaxDpi);
                return request;
            }
        }
    } else if (layoutOptions) {
        request.error = LoadResString(TextId::LayoutOptionsNeedLayoutMode);
        return request;
    }
    if (request.mode != CommandLineRequest::Mode::Window && request.file.isEmpty())
        request.error = LoadResString(TextId::NoStructureFile);
    return request;
}
