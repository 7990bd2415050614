#pragma once
// The translation dictionary: the file Tavlo.mld beside the executable holds
// the primary language (number 0, the language the program's texts are
// written in) and the languages a text can be translated to, each with its
// two-letter language and country codes. A lookup turns a text into the
// current language's text, or returns it unchanged when there is none.
//
// The file is plain UTF-8 text that a translator edits (see README,
// "Translation dictionary"):
//
//   language 0 en/us "English"
//   language 2 da/dk "Dansk"
//   text "Warning"
//   da/dk "Advarsel"

#include "Component.h"

#include <QHash>
#include <QStringList>
#include <QVector>

class TBvDictionary : public TComponent {
    Q_OBJECT
public:
    struct TLanguage {
        QString Language; // "en"
        QString Country;  // "gb"
        QString Name;     // "English (United Kingdom)"
    };

    explicit TBvDictionary(QObject* AOwner = nullptr);
    ~TBvDictionary() override;

    // Windows and services find their dictionary by this name.
    QString DictionaryName() const { return FDictionaryName; }
    void SetDictionaryName(const QString& name);
    static TBvDictionary* Find(const QString& name);

    // The platform's identifier of the primary language (English: 9, 0).
    int PrimaryLanguageId = 9;
    int PrimarySubLanguageId = 0;

    QString FileName() const { return FFileName; }
    // Loads the file; raises an Exception naming the file (and the line) when
    // it cannot be read or is not a dictionary. The dictionary is unchanged then.
    void SetFileName(const QString& fileName);
    // Loads dictionary text; `source` names it in error messages.
    void LoadFromText(const QString& text, const QString& source);

    int LanguageCount() const { return int(FLanguages.size()); }
    // "en/gb": language code, a slash and the country code, in lower case;
    // empty for a number that is not a language of the dictionary.
    QString LanguageCode(int language) const;
    QString LanguageName(int language) const;
    // The number of the language with this code (without regard to case), or -1.
    int IndexOfLanguageCode(const QString& code) const;

    int CurrentLanguage() const { return FCurrentLanguage; }
    // Raises OnLanguageChange and LanguageChanged after a change.
    void SetCurrentLanguage(int language);

    QString Translate(const QString& text) const { return Translate(text, FCurrentLanguage); }
    QString Translate(const QString& text, int language) const;

    // The entry of `text` gives a (non-empty) translation to `language`.
    bool HasTranslation(const QString& text, int language) const;
    // The primary-language texts that have an entry, in no particular order.
    QStringList Texts() const { return FTexts.keys(); }

    TNotifyEvent OnLanguageChange;

signals:
    void LanguageChanged();

private:
    QString FDictionaryName;
    QString FFileName;
    QVector<TLanguage> FLanguages;
    // Primary text -> translation per language number (index 0 unused).
    QHash<QString, QStringList> FTexts;
    int FCurrentLanguage = 0;
};

// The text in the current language of the dictionary "MainDictionary"; the
// text itself when there is no such dictionary or no translation.
QString TranslateText(const QString& text);
