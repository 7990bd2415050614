#include "Edition.h"

#include "BvSettings.h"
#include "Exceptions.h"

#include <QPainter>
#include <QPainterPath>

namespace {
TEdition& CurrentEdition() {
    static TEdition edition = TEdition::Combined;
    return edition;
}

// The settings object of start-up, before the mediator's exists.
TBvSettings& ProductSettings() {
    static TBvSettings settings;
    settings.SectionName = QStringLiteral("Software");
    settings.ProducerName = QStringLiteral("Brovik");
    settings.ProductName = QStringLiteral("Tavlo");
    settings.ProductVersion = QStringLiteral("4.0");
    return settings;
}

// Names the file that holds the value: the user's machine file or the
// administrator's one beneath it.
QString EditionPlace() {
    const TBvSettings& settings = ProductSettings();
    QString file = settings.ValueFileName(QString(), EditionValueName, false);
    if (file.isEmpty())
        file = TBvSettings::RootFileName(false);
    return QStringLiteral("the machine-wide setting \"%1\" under %2 (%3)")
        .arg(QLatin1String(EditionValueName), settings.ProductPath(), file);
}

QPainterPath Heart(qreal x, qreal y, qreal size) {
    QPainterPath path;
    path.moveTo(x + size / 2, y + size * 0.95);
    path.cubicTo(x - size * 0.15, y + size * 0.45, x + size * 0.1, y - size * 0.1, x + size / 2, y + size * 0.25);
    path.cubicTo(x + size * 0.9, y - size * 0.1, x + size * 1.15, y + size * 0.45, x + size / 2, y + size * 0.95);
    return path;
}

QPainterPath Drop(qreal x, qreal y, qreal size) {
    QPainterPath path;
    path.moveTo(x + size / 2, y);
    path.cubicTo(x + size * 0.6, y + size * 0.3, x + size, y + size * 0.5, x + size, y + size * 0.7);
    path.arcTo(x, y + size * 0.4, size, size * 0.6, 0, -180);
    path.cubicTo(x, y + size * 0.5, x + size * 0.4, y + size * 0.3, x + size / 2, y);
    return path;
}
} // namespace

TEdition Edition() { return CurrentEdition(); }

bool IsDiabetesEdition() { return Edition() == TEdition::Diabetes; }

TEdition EditionFromValue(int value) {
    switch (value) {
    case 0: return TEdition::Prevention;
    case 1: return TEdition::Diabetes;
    case 3: return TEdition::Combined;
    default:
        throw Exception(QStringLiteral("%1 is not an edition of Tavlo. Set %2 to 0 (prevention), 1 (diabetes) "
                                       "or 3 (prevention and diabetes combined)")
                            .arg(value)
                            .arg(EditionPlace()));
    }
}

TEdition ReadEditionSetting() {
    const TBvSettings& settings = ProductSettings();
    QVariant value;
    if (settings.ReadValue(QString(), EditionValueName, value, skInteger, 4, false))
        return EditionFromValue(value.toInt());
    // A value of another kind is a provisioning mistake, not a missing value.
    if (settings.ValueExists(QString(), EditionValueName, false))
        throw Exception(QStringLiteral("The edition in %1 is not an integer. Set it to 0 (prevention), "
                                       "1 (diabetes) or 3 (prevention and diabetes combined)")
                            .arg(EditionPlace()));
    return TEdition::Combined;
}

void ProvisionEdition() { SetEdition(ReadEditionSetting()); }

void SetEdition(TEdition edition) { CurrentEdition() = EditionFromValue(int(edition)); }

QString EditionTitles(TEdition edition) {
    switch (edition) {
    case TEdition::Diabetes: return QStringLiteral("Sendra");
    case TEdition::Combined: return QStringLiteral("Morlen incl. Sendra");
    case TEdition::Prevention: break;
    }
    return {};
}

TEditionSuffixes EditionSuffixes(TEdition edition) {
    switch (edition) {
    case TEdition::Prevention: return {QStringLiteral("_P"), QStringLiteral("_P")};
    case TEdition::Diabetes: return {QStringLiteral("_D"), QStringLiteral("_D")};
    case TEdition::Combined: break;
    }
    return {QStringLiteral("_P"), QStringLiteral("_D")};
}

QImage EditionIconImage(int index) {
    if (index < 0 || index > 3 || index == 2)
        return {};
    // Prevention: a red heart; diabetes: a blue drop; combined: both.
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 20, 20), 1.2));
    const QColor red(200, 30, 40), blue(30, 90, 200);
    if (index == 0) {
        painter.setBrush(red);
        painter.drawPath(Heart(2, 3, 28));
    } else if (index == 1) {
        painter.setBrush(blue);
        painter.drawPath(Drop(6, 1, 20));
    } else {
        painter.setBrush(red);
        painter.drawPath(Heart(1, 2, 24));
        painter.setBrush(blue);
        painter.drawPath(Drop(17, 13, 14));
    }
    return image;
}
