#include "ui/file_filter.h"

#include <QString>

namespace quexa::ui {

QStringList FileFilter::ToQt(std::string_view filter) {
    const QStringList parts =
        QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size()))
            .split(QLatin1Char('|'));
    QStringList result;
    // An empty name ends the list, as the doubled "|" does.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts[i].trimmed();
        if (name.isEmpty()) {
            break;
        }
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
        }
        patterns.removeAll(QString());
        if (patterns.isEmpty()) {
            patterns << QStringLiteral("*");
        }
        result << QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' ')));
    }
    return result;
}

}  // namespace quexa::ui
