#pragma once
// The translator of a window: turns the captions, hints and texts of a widget
// tree into the current language of its dictionary. It remembers each text's
// original, so translating again after a language change starts from the
// primary language, and a text the program changed since is taken as the new
// original.
//
// Translated: window titles, tool tips, label and button texts, group box
// titles, tab texts of tab widgets and action texts. Page notebooks (marked
// with SetPageNotebook) keep their page names: those are keys, not texts.

#include "Component.h"

class QWidget;
class TBvDictionary;

// Marks (or unmarks) a tab widget whose page names are keys.
void SetPageNotebook(QWidget* widget, bool pageNotebook = true);
bool IsPageNotebook(const QWidget* widget);

// Translates `root` and every widget and action below it. Does nothing
// without a dictionary.
void TranslateWidgetTree(QWidget* root, const TBvDictionary* dictionary);

class TBvTranslator : public TComponent {
    Q_OBJECT
public:
    explicit TBvTranslator(QObject* AOwner = nullptr) : TComponent(AOwner) {}

    // The dictionary is looked up by name whenever it is needed.
    QString DictionaryName = QStringLiteral("MainDictionary");
    TBvDictionary* Dictionary() const;

    // Translates the owner (when it is a widget).
    void Translate();
    void Translate(QWidget* root);
};
