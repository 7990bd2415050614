#include "BvUtils.h"

#include "BvDictionary.h"
#include "DialogResults.h"
#include "Exceptions.h"
#include "TableStore.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QVBoxLayout>

// ---------------------------------------------------------------- message boxes

namespace {
struct TButtonSpec {
    TMsgDlgBtn Button;
    const char* Text;
    QMessageBox::ButtonRole Role;
    int Result;
};
const TButtonSpec ButtonSpecs[] = {
    {mbYes, "&Yes", QMessageBox::YesRole, mrYes},
    {mbNo, "&No", QMessageBox::NoRole, mrNo},
    {mbOK, "OK", QMessageBox::AcceptRole, mrOk},
    {mbCancel, "Cancel", QMessageBox::RejectRole, mrCancel},
};

QString CaptionOf(TMsgDlgType type) {
    switch (type) {
    case TMsgDlgType::mtWarning: return QStringLiteral("Warning");
    case TMsgDlgType::mtError: return QStringLiteral("Error");
    case TMsgDlgType::mtInformation: return QStringLiteral("Information");
    case TMsgDlgType::mtConfirmation: break;
    }
    return QStringLiteral("Confirm");
}

QMessageBox::Icon IconOf(TMsgDlgType type) {
    switch (type) {
    case TMsgDlgType::mtWarning: return QMessageBox::Warning;
    case TMsgDlgType::mtError: return QMessageBox::Critical;
    case TMsgDlgType::mtInformation: return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation: break;
    }
    return QMessageBox::Question;
}
} // namespace

int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons, TMsgDlgBtn defaultButton) {
    QMessageBox box(IconOf(type), TranslateText(CaptionOf(type)), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MessageDlg"));
    box.setTextFormat(Qt::PlainText);
    QHash<QAbstractButton*, int> results;
    QPushButton* defaultPush = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* no = nullptr;
    QPushButton* ok = nullptr;
    for (const TButtonSpec& entry : ButtonSpecs) {
        if (!(buttons & entry.Button))
            continue;
        QPushButton* push = box.addButton(TranslateText(QString::fromLatin1(entry.Text)), entry.Role);
        push->setObjectName(QString::fromLatin1(entry.Text).remove('&') + QStringLiteral("Button"));
        results.insert(push, entry.Result);
        if (entry.Button == defaultButton)
            defaultPush = push;
        if (entry.Button == mbCancel)
            cancel = push;
        if (entry.Button == mbNo)
            no = push;
        if (entry.Button == mbOK)
            ok = push;
    }
    if (results.isEmpty()) {
        ok = box.addButton(TranslateText(QStringLiteral("OK")), QMessageBox::AcceptRole);
        results.insert(ok, mrOk);
    }
    box.setEscapeButton(cancel ? cancel : no ? no : ok);
    if (defaultPush) {
        box.setDefaultButton(defaultPush);
        defaultPush->setFocus();
    }
    box.exec();
    // Closing the box without a button is the escape button's answer.
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked)
        clicked = box.escapeButton();
    return results.value(clicked, mrCancel);
}

bool AskYesNo(const QString& text, bool yesIsDefault) {
    return MessageDlg(text, TMsgDlgType::mtConfirmation, mbYes | mbNo, yesIsDefault ? mbYes : mbNo) == mrYes;
}

void ShowInfo(const QString& text) { MessageDlg(text, TMsgDlgType::mtInformation, mbOK, mbOK); }

void ShowError(const QString& text) { MessageDlg(text, TMsgDlgType::mtError, mbOK, mbOK); }

// ---------------------------------------------------------------- busy indicators

namespace {
int HourGlassNesting = 0;
int BusyNesting = 0;
QPointer<QWidget> BusyWindow;

// The screen cursor is the application's override cursor; the hour-glass
// goes on top of it and taking it off shows the remembered one again.
void ShowWaitCursor() {
    if (qApp)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}
void RestoreCursor() {
    if (qApp && QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

QWidget* CreateBusyWindow(const QString& text) {
    auto* window = new QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window->setObjectName(QStringLiteral("BusyMessageForm"));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    auto* panel = new QLabel(text, window);
    panel->setObjectName(QStringLiteral("BusyPanel"));
    panel->setFrameShape(QFrame::NoFrame);
    panel->setAlignment(Qt::AlignCenter);
    panel->setTextFormat(Qt::PlainText);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);
    const QRect textRect = panel->fontMetrics().boundingRect(QRect(0, 0, 10000, 10000), Qt::AlignLeft, text);
    window->setFixedSize(textRect.width() + 100, textRect.height() + 50);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    return window;
}
} // namespace

void HourGlass(bool on) {
    if (on) {
        if (HourGlassNesting == 0)
            ShowWaitCursor();
        ++HourGlassNesting;
    } else {
        if (--HourGlassNesting == 0)
            RestoreCursor();
    }
}

int HourGlassCount() { return HourGlassNesting; }

void BusyMessage(bool on, const QString& text) {
    if (on) {
        if (BusyNesting == 0) {
            ShowWaitCursor();
            if (!BusyWindow && !text.isEmpty() && qApp) {
                BusyWindow = CreateBusyWindow(text);
                BusyWindow->show();
                BusyWindow->repaint();
            }
        }
        ++BusyNesting;
    } else {
        if (--BusyNesting == 0) {
            delete BusyWindow.data();
            RestoreCursor();
        }
    }
}

int BusyMessageCount() { return BusyNesting; }

QWidget* BusyMessageWindow() { return BusyWindow.data(); }

void WithHourGlass(const std::function<void()>& operation) {
    HourGlass(true);
    const auto off = qScopeGuard([] { HourGlass(false); });
    operation();
}

// ---------------------------------------------------------------- datasets of an owner

namespace {
void CollectDataSets(const QObject* owner, QList<TDataSet*>& list) {
    for (QObject* child : owner->children()) {
        if (auto* dataSet = qobject_cast<TDataSet*>(child)) {
            list << dataSet;
            continue;
        }
        // Controls on panels belong to the window, as do their datasets;
        // another window keeps its own.
        if (const auto* widget = qobject_cast<const QWidget*>(child); widget && !widget->isWindow())
            CollectDataSets(child, list);
    }
}

// Runs the operation, then the restore; a restore after a failure must not
// hide the failure.
template <typename Op, typename Restore>
void RunRestoring(Op operation, Restore restore) {
    try {
        operation();
    } catch (...) {
        try {
            restore();
        } catch (...) {
        }
        throw;
    }
    restore();
}

template <typename Fn>
void ForTag(QObject* owner, int tag, Fn fn) {
    for (TDataSet* dataSet : OwnedDataSets(owner))
        if (dataSet->Tag() == tag)
            fn(dataSet);
}
} // namespace

QList<TDataSet*> OwnedDataSets(const QObject* owner) {
    QList<TDataSet*> list;
    if (owner)
        CollectDataSets(owner, list);
    return list;
}

bool IsEditing(const TDataSet* dataSet) {
    return dataSet->State() == TDataSetState::dsEdit || dataSet->State() == TDataSetState::dsInsert;
}

void PostIfEditing(TDataSet* dataSet) {
    if (IsEditing(dataSet))
        dataSet->Post();
}

void PostFormDataSets(QObject* window) {
    for (TDataSet* dataSet : OwnedDataSets(window))
        PostIfEditing(dataSet);
}

void OpenDataSets(QObject* owner, int tag) {
    ForTag(owner, tag, [](TDataSet* dataSet) { dataSet->Open(); });
}

void PostDataSets(QObject* owner, int tag) { ForTag(owner, tag, PostIfEditing); }

void RefreshDataSets(QObject* owner, int tag) {
    ForTag(owner, tag, [](TDataSet* dataSet) {
        if (dataSet->Active() && !qobject_cast<TQuery*>(dataSet))
            dataSet->Refresh();
    });
}

void CloseDataSets(QObject* owner, int tag) {
    ForTag(owner, tag, [](TDataSet* dataSet) { dataSet->Close(); });
}

void DeleteAllRecords(TDataSet* table, int mode, const QString& fieldName, int value) {
    TDisableControlsScope suspended(table);
    TDataSource* const master = table->MasterSource();
    const bool filtered = table->Filtered();
    const QString filter = table->Filter();
    const bool detach = mode == 2 || mode == 3;
    RunRestoring(
        [&] {
            if (detach)
                table->SetMasterSource(nullptr);
            if (mode == 1)
                table->SetFiltered(false);
            if (mode == 3) {
                table->SetFilter(QStringLiteral("[%1] = %2").arg(fieldName).arg(value));
                table->SetFiltered(true);
            }
            table->First();
            while (!table->Eof())
                table->Delete();
        },
        // Put back what the mode changed, also after a failed deletion.
        [&] {
            if (mode == 3) {
                if (!filtered)
                    table->SetFiltered(false);
                table->SetFilter(filter);
            }
            if (mode == 1 || mode == 3)
                table->SetFiltered(filtered);
            if (detach)
                table->SetMasterSource(master);
        });
}

namespace {
// The fields a field list names, in the order the values go.
QList<TField*> ListedFields(TDataSet* dataSet, const QString& fieldList) {
    QList<TField*> fields;
    if (fieldList.isEmpty())
        return dataSet->Fields();
    if (fieldList.startsWith('-')) {
        const QString excluded = fieldList.mid(1);
        for (TField* field : dataSet->Fields())
            if (!HasToken(excluded, field->FieldName(), ';'))
                fields << field;
        return fields;
    }
    for (const QString& name : SplitFieldNames(fieldList))
        fields << dataSet->FieldByName(name);
    return fields;
}
} // namespace

void GetRecordValues(TDataSet* dataSet, const QString& fieldList, QVariantList& values) {
    values.clear();
    for (TField* field : ListedFields(dataSet, fieldList))
        values << field->Value();
}

QVariantList GetRecordValues(TDataSet* dataSet, const QString& fieldList) {
    QVariantList values;
    GetRecordValues(dataSet, fieldList, values);
    return values;
}

void SetRecordValues(TDataSet* dataSet, const QString& fieldList, const QVariantList& values) {
    const QList<TField*> fields = ListedFields(dataSet, fieldList);
    const bool allFields = fieldList.isEmpty();
    // A wrong count would put values into the wrong fields or leave a row
    // half assigned.
    if (values.size() > fields.size() || (allFields && values.size() != fields.size()))
        throw Exception(QStringLiteral("%1 values for %2 fields of %3")
                            .arg(values.size())
                            .arg(fields.size())
                            .arg(dataSet->Name()));
    // The calculated fields are not recomputed after every value: a half
    // assigned row would feed them.
    const bool autoCalc = dataSet->AutoCalcFields();
    dataSet->SetAutoCalcFields(false);
    const auto restore = qScopeGuard([&] { dataSet->SetAutoCalcFields(autoCalc); });
    for (int i = 0; i < values.size(); ++i) {
        TField* field = fields.at(i);
        if (!field->CanModify() || field->DataType() == TFieldType::ftAutoInc)
            continue;
        field->SetValue(values.at(i));
    }
}

void WithIndex(TDataSet* dataSet, const QString& indexName, const std::function<void()>& operation) {
    TDisableControlsScope suspended(dataSet);
    const TDataSet::TBookmark bookmark = dataSet->GetBookmark();
    auto* table = qobject_cast<TTable*>(dataSet);
    TDataSource* const master = dataSet->MasterSource();
    const QString fieldNames = dataSet->IndexFieldNames();
    const QString oldIndex = dataSet->IndexName();
    RunRestoring(
        [&] {
            if (table) {
                table->SetMasterSource(nullptr);
                table->SetIndexFieldNames(QString());
                table->SetIndexName(indexName);
            }
            operation();
        },
        [&] {
            if (table) {
                if (!fieldNames.isEmpty())
                    table->SetIndexFieldNames(fieldNames);
                else
                    table->SetIndexName(oldIndex);
                table->SetMasterSource(master);
            }
            if (dataSet->Active() && dataSet->BookmarkValid(bookmark))
                dataSet->GotoBookmark(bookmark);
        });
}

// ---------------------------------------------------------------- windows and components

void EnableControlsByTag(QWidget* window, int tag, bool enabled) {
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (ComponentTag(control) != tag)
            continue;
        control->setEnabled(enabled);
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            QPalette palette = edit->palette();
            const QPalette standard = QApplication::palette(edit);
            palette.setColor(QPalette::Base, enabled ? standard.color(QPalette::Base) : standard.color(QPalette::Button));
            palette.setColor(QPalette::Disabled, QPalette::Base,
                             enabled ? standard.color(QPalette::Base) : standard.color(QPalette::Button));
            edit->setPalette(palette);
        }
    }
}

void ForEachComponent(QObject* component, void* data, const TComponentProc& operation) {
    // A copy: the operation may create or free components.
    const QObjectList owned = component->children();
    for (QObject* child : owned) {
        operation(child, data);
        ForEachComponent(child, data, operation);
    }
}

// ---------------------------------------------------------------- table store

bool AliasExists(const QString& alias) { return Session().AliasExists(alias); }

QString AliasPath(const QString& alias) { return Session().AliasPath(alias); }

// ---------------------------------------------------------------- text

// Fills each "%s" with the next argument in one pass, so that an argument
// holding "%s" itself stays as it is; "%%" is a percent sign.
QString FormatText(const QString& pattern, const QStringList& args) {
    QString result;
    qsizetype next = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern.at(i) == '%' && i + 1 < pattern.size()) {
            const QChar c = pattern.at(i + 1);
            if (c == 's' && next < args.size()) {
                result += args.at(next++);
                ++i;
                continue;
            }
            if (c == '%') {
                result += '%';
                ++i;
                continue;
            }
        }
        result += pattern.at(i);
    }
    return result;
}

QString ExtractToken(const QString& text, int n, QChar separator) {
    if (n < 1)
        return {};
    const QStringList pieces = text.split(separator);
    return n <= pieces.size() ? pieces.at(n - 1) : QString();
}

bool HasToken(const QString& list, const QString& token, QChar separator) {
    return list == token || list.contains(token + separator) || list.contains(separator + token);
}

int CountChar(const QString& text, QChar character) { return int(text.count(character)); }

QString PadLeft(const QString& text, int length, QChar character) {
    return text.size() >= length ? text : QString(length - text.size(), character) + text;
}

void ForceDirectory(const QString& path) {
    QString rest = path;
    rest.replace('\\', '/');
    if (rest.isEmpty())
        return;
    if (!rest.endsWith('/'))
        rest += '/';
    // The drive or the root is there already.
    QString done;
    if (rest.size() >= 3 && rest.at(0).isLetter() && rest.at(1) == ':' && rest.at(2) == '/')
        done = rest.left(3);
    else if (rest.startsWith('/'))
        done = QStringLiteral("/");
    rest = rest.mid(done.size());
    while (!rest.isEmpty()) {
        const qsizetype end = rest.indexOf('/');
        const QString piece = rest.left(end);
        if (piece.isEmpty())
            return; // two separators in a row: no further piece will come
        done += piece;
        if (!QDir(done).exists() && !QDir().mkdir(done))
            throw Exception(QStringLiteral("Cannot create directory %1").arg(QDir::toNativeSeparators(done)));
        done += '/';
        rest = rest.mid(end + 1);
    }
}
