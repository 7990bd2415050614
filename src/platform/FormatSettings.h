#pragma once
// The process-wide number and date formats. The chosen country and some
// windows change them at run time; every text conversion of the system reads
// them here, never the C locale or QLocale.

#include <QChar>
#include <QString>

struct TFormatSettings {
    QChar DecimalSeparator = '.';
    QChar ThousandSeparator = ',';
    QChar DateSeparator = '-';
    QChar TimeSeparator = ':';
    QString ShortDateFormat = QStringLiteral("dd-mm-yyyy");
    QString LongTimeFormat = QStringLiteral("hh:nn:ss");
};

TFormatSettings& FormatSettings();

// Sets the decimal separator for a scope and puts the old one back after it,
// also when the scope ends by an exception.
class TDecimalSeparatorScope {
public:
    explicit TDecimalSeparatorScope(QChar separator)
        : FSaved(FormatSettings().DecimalSeparator) {
        FormatSettings().DecimalSeparator = separator;
    }
    ~TDecimalSeparatorScope() { FormatSettings().DecimalSeparator = FSaved; }
    TDecimalSeparatorScope(const TDecimalSeparatorScope&) = delete;
    TDecimalSeparatorScope& operator=(const TDecimalSeparatorScope&) = delete;

private:
    QChar FSaved;
};
