#include "BvDictionary.h"

#include "Exceptions.h"

#include <QFile>
#include <QMap>

namespace {
QMap<QString, TBvDictionary*>& Registry() {
    static QMap<QString, TBvDictionary*> dictionaries;
    return dictionaries;
}

QString RegistryKey(const QString& name) { return name.toLower(); }

TBvDictionary::TLanguage PrimaryEnglish() { return {"en", "us", "English"}; }

// One line of the file split into words; a quoted word keeps its blanks and
// takes the escapes \" \\ \n \r \t (any other backslash is a backslash).
struct TLineReader {
    QString Line;
    qsizetype At = 0;
    QString Error;

    void SkipBlanks() {
        while (At < Line.size() && Line.at(At).isSpace())
            ++At;
    }
    bool AtEnd() {
        SkipBlanks();
        return At >= Line.size() || Line.at(At) == '#';
    }
    QString Word() {
        SkipBlanks();
        const qsizetype start = At;
        while (At < Line.size() && !Line.at(At).isSpace())
            ++At;
        return Line.mid(start, At - start);
    }
    bool Quoted(QString& text) {
        SkipBlanks();
        if (At >= Line.size() || Line.at(At) != '"') {
            Error = QStringLiteral("a text in double quotes expected");
            return false;
        }
        text.clear();
        for (++At; At < Line.size(); ++At) {
            const QChar c = Line.at(At);
            if (c == '"') {
                ++At;
                return true;
            }
            if (c == '\\' && At + 1 < Line.size()) {
                const QChar next = Line.at(At + 1);
                const int escaped = next == '"' ? '"' : next == '\\' ? '\\' : next == 'n' ? '\n'
                                  : next == 'r' ? '\r' : next == 't' ? '\t' : 0;
                if (escaped) {
                    text += QChar(escaped);
                    ++At;
                    continue;
                }
            }
            text += c;
        }
        Error = QStringLiteral("closing double quote missing");
        return false;
    }
};
} // namespace

TBvDictionary::TBvDictionary(QObject* AOwner) : TComponent(AOwner) {
    FLanguages.append(PrimaryEnglish());
}

TBvDictionary::~TBvDictionary() {
    if (!FDictionaryName.isEmpty() && Registry().value(RegistryKey(FDictionaryName)) == this)
        Registry().remove(RegistryKey(FDictionaryName));
}

void TBvDictionary::SetDictionaryName(const QString& name) {
    if (!FDictionaryName.isEmpty() && Registry().value(RegistryKey(FDictionaryName)) == this)
        Registry().remove(RegistryKey(FDictionaryName));
    FDictionaryName = name;
    if (!name.isEmpty())
        Registry().insert(RegistryKey(name), this);
}

TBvDictionary* TBvDictionary::Find(const QString& name) {
    return Registry().value(RegistryKey(name), nullptr);
}

void TBvDictionary::SetFileName(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Cannot open the dictionary %1: %2").arg(fileName, file.errorString()));
    LoadFromText(QString::fromUtf8(file.readAll()), fileName);
    FFileName = fileName;
}

void TBvDictionary::LoadFromText(const QString& text, const QString& source) {
    QVector<TLanguage> languages;
    QHash<QString, QStringList> texts;
    QString current;
    bool inText = false;
    // Editors on some systems start a UTF-8 file with a byte order mark.
    const QStringList lines = (text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text).split('\n');
    auto fail = [&](int lineNo, const QString& why) {
        throw Exception(QStringLiteral("Error in the dictionary %1, line %2: %3").arg(source).arg(lineNo).arg(why));
    };
    for (int index = 0; index < lines.size(); ++index) {
        const int lineNo = index + 1;
        TLineReader reader;
        reader.Line = lines.at(index);
        if (reader.Line.endsWith('\r'))
            reader.Line.chop(1);
        if (reader.AtEnd())
            continue;
        const QString word = reader.Word();
        if (word == QLatin1String("language")) {
            if (!texts.isEmpty())
                fail(lineNo, QStringLiteral("languages must come before the texts"));
            bool ok = false;
            const int number = reader.Word().toInt(&ok);
            if (!ok || number != languages.size())
                fail(lineNo, QStringLiteral("language number %1 expected").arg(languages.size()));
            const QStringList codes = reader.Word().toLower().split('/');
            if (codes.size() != 2 || codes.at(0).size() != 2 || codes.at(1).size() != 2)
                fail(lineNo, QStringLiteral("a code such as en/gb expected"));
            TLanguage language{codes.at(0), codes.at(1), {}};
            if (!reader.Quoted(language.Name))
                fail(lineNo, reader.Error);
            for (const TLanguage& other : languages)
                if (other.Language == language.Language && other.Country == language.Country)
                    fail(lineNo, QStringLiteral("the code %1/%2 is given twice").arg(language.Language, language.Country));
            languages.append(language);
        } else if (word == QLatin1String("text")) {
            if (languages.isEmpty())
                fail(lineNo, QStringLiteral("language 0 must come first"));
            if (!reader.Quoted(current))
                fail(lineNo, reader.Error);
            if (texts.contains(current))
                fail(lineNo, QStringLiteral("the text \"%1\" is given twice").arg(current));
            texts.insert(current, QStringList(languages.size()));
            inText = true;
        } else {
            if (!inText)
                fail(lineNo, QStringLiteral("\"language\" or \"text\" expected"));
            int number = -1;
            for (int i = 0; i < languages.size(); ++i)
                if (word.compare(languages.at(i).Language + '/' + languages.at(i).Country, Qt::CaseInsensitive) == 0)
                    number = i;
            if (number < 1)
                fail(lineNo, QStringLiteral("\"%1\" is not a language of the dictionary").arg(word));
            QString translation;
            if (!reader.Quoted(translation))
                fail(lineNo, reader.Error);
            texts[current][number] = translation;
        }
        if (!reader.AtEnd())
            fail(lineNo, QStringLiteral("unexpected text after the entry"));
    }
    if (languages.isEmpty())
        fail(int(lines.size()), QStringLiteral("no languages"));
    FLanguages = languages;
    FTexts = texts;
}

QString TBvDictionary::LanguageCode(int language) const {
    if (language < 0 || language >= FLanguages.size())
        return {};
    return FLanguages.at(language).Language + '/' + FLanguages.at(language).Country;
}

QString TBvDictionary::LanguageName(int language) const {
    if (language < 0 || language >= FLanguages.size())
        return {};
    return FLanguages.at(language).Name;
}

int TBvDictionary::IndexOfLanguageCode(const QString& code) const {
    for (int i = 0; i < FLanguages.size(); ++i)
        if (LanguageCode(i).compare(code, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TBvDictionary::SetCurrentLanguage(int language) {
    if (language == FCurrentLanguage)
        return;
    FCurrentLanguage = language;
    if (OnLanguageChange)
        OnLanguageChange(this);
    emit LanguageChanged();
}

bool TBvDictionary::HasTranslation(const QString& text, int language) const {
    const auto found = FTexts.constFind(text);
    return language > 0 && found != FTexts.constEnd() && language < found->size() && !found->at(language).isEmpty();
}

QString TBvDictionary::Translate(const QString& text, int language) const {
    return HasTranslation(text, language) ? FTexts.value(text).at(language) : text;
}

QString TranslateText(const QString& text) {
    const TBvDictionary* dictionary = TBvDictionary::Find(QStringLiteral("MainDictionary"));
    return dictionary ? dictionary->Translate(text) : text;
}
