#include "model/TextFormat.h"

QString FormatText(QStringView format, std::initializer_list<FormatArg> args)
{
    QString out;
    out.reserve(format.size() + 32);
    auto next = args.begin();
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c != u'%' || i + 1 >= format.size()) {
            out.append(c);
            continue;
        }
        const QChar directive = format[++i];
        if (directive == u'%') {
            out.append(u'%');
            continue;
        }
        if (directive != u's' && directive != u'd' && directive != u'x') {
            out.append(c);
            out.append(directive);
            continue;
        }
        if (next == args.end())
            continue;
        const FormatArg &arg = *next++;
        if (const auto *text = std::get_if<QStringView>(&arg)) {
            out.append(*text);
        } else {
            const auto number = std::get<std::int64_t>(arg);
            if (directive == u'x')
                out.append(QString::number(static_cast<std::uint32_t>(number), 16));
            else
                out.append(QString::number(number));
        }
    }
    return out;
}
