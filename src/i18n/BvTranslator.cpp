#include "BvTranslator.h"

#include "BvDictionary.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QVariant>

namespace {
const char* const PageNotebookProperty = "tavloPageNotebook";

// Returns the translation of a property's text. The original and the last
// translation live in dynamic properties of the object: when the current
// text is still the last translation, the original is translated again.
QString Translated(QObject* object, const QByteArray& slot, const QString& current,
                   const TBvDictionary* dictionary) {
    const QByteArray sourceName = "tavloMld_" + slot;
    const QByteArray shownName = "tavloMldShown_" + slot;
    QString source = current;
    const QVariant shown = object->property(shownName.constData());
    if (shown.isValid() && shown.toString() == current)
        source = object->property(sourceName.constData()).toString();
    const QString result = dictionary->Translate(source);
    object->setProperty(sourceName.constData(), source);
    object->setProperty(shownName.constData(), result);
    return result;
}

template <typename Get, typename Set>
void TranslateSlot(QObject* object, const char* slot, Get get, Set set, const TBvDictionary* dictionary) {
    const QString current = get();
    if (current.isEmpty())
        return;
    const QString result = Translated(object, slot, current, dictionary);
    if (result != current)
        set(result);
}

void TranslateWidget(QWidget* w, const TBvDictionary* d) {
    TranslateSlot(w, "windowTitle", [w] { return w->windowTitle(); },
                  [w](const QString& t) { w->setWindowTitle(t); }, d);
    TranslateSlot(w, "toolTip", [w] { return w->toolTip(); }, [w](const QString& t) { w->setToolTip(t); }, d);
    if (auto* label = qobject_cast<QLabel*>(w))
        TranslateSlot(w, "text", [label] { return label->text(); },
                      [label](const QString& t) { label->setText(t); }, d);
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        TranslateSlot(w, "text", [button] { return button->text(); },
                      [button](const QString& t) { button->setText(t); }, d);
    if (auto* group = qobject_cast<QGroupBox*>(w))
        TranslateSlot(w, "title", [group] { return group->title(); },
                      [group](const QString& t) { group->setTitle(t); }, d);
    if (auto* tabs = qobject_cast<QTabWidget*>(w); tabs && !IsPageNotebook(tabs)) {
        // The page widget carries the tab's remembered texts: pages can move.
        for (int i = 0; i < tabs->count(); ++i) {
            QWidget* page = tabs->widget(i);
            TranslateSlot(page, "tabText", [tabs, i] { return tabs->tabText(i); },
                          [tabs, i](const QString& t) { tabs->setTabText(i, t); }, d);
            TranslateSlot(page, "tabToolTip", [tabs, i] { return tabs->tabToolTip(i); },
                          [tabs, i](const QString& t) { tabs->setTabToolTip(i, t); }, d);
        }
    }
}
} // namespace

void SetPageNotebook(QWidget* widget, bool pageNotebook) {
    widget->setProperty(PageNotebookProperty, pageNotebook);
}

bool IsPageNotebook(const QWidget* widget) { return widget->property(PageNotebookProperty).toBool(); }

void TranslateWidgetTree(QWidget* root, const TBvDictionary* dictionary) {
    if (!root || !dictionary)
        return;
    TranslateWidget(root, dictionary);
    for (QWidget* child : root->findChildren<QWidget*>())
        TranslateWidget(child, dictionary);
    for (QAction* action : root->findChildren<QAction*>())
        TranslateSlot(action, "text", [action] { return action->text(); },
                      [action](const QString& t) { action->setText(t); }, dictionary);
}

TBvDictionary* TBvTranslator::Dictionary() const { return TBvDictionary::Find(DictionaryName); }

void TBvTranslator::Translate() { Translate(qobject_cast<QWidget*>(Owner())); }

void TBvTranslator::Translate(QWidget* root) { TranslateWidgetTree(root, Dictionary()); }
