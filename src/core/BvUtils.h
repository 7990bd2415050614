#pragma once
// Small routines shared by many modules: message boxes, busy indicators,
// operations over the datasets a window or module owns, copying a record's
// values in and out, and a few text helpers. The only state is the nesting
// counters of the busy indicators.

#include <QChar>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <memory>

class QObject;
class QWidget;
class TDataSet;
class TTable;

// ---------------------------------------------------------------- message boxes

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };
enum TMsgDlgBtn : int { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8 };
using TMsgDlgButtons = int;

// The standard message dialog: icon, text and buttons, with the platform's
// captions ("Warning", "Error", "Information", "Confirm") and button texts
// ("&Yes", "&No", "OK", "Cancel"), shown in the dictionary's current language.
// `defaultButton` (one of the buttons) has the focus; Escape answers Cancel,
// else No, else OK. Returns the modal result of the button (mrYes 6, mrNo 7,
// mrOk 1, mrCancel 2).
int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons, TMsgDlgBtn defaultButton);

// Yes and No with the question icon; with `yesIsDefault` false, No is the
// default button and has the focus. True when the answer is Yes.
bool AskYesNo(const QString& text, bool yesIsDefault = true);
void ShowInfo(const QString& text);
void ShowError(const QString& text);

// ---------------------------------------------------------------- busy indicators

// The nested busy cursor: the first "on" remembers the screen cursor and
// shows the hour-glass, the "off" that brings the count back to 0 restores
// it. Calls must pair; an unmatched off makes the count negative and leaves
// the cursor as it is.
void HourGlass(bool on);
int HourGlassCount();

// The same with a counter of its own, plus a small message window with the
// text while the count is above 0 (none for an empty text).
void BusyMessage(bool on, const QString& text = QString());
int BusyMessageCount();
QWidget* BusyMessageWindow(); // nullptr when none is shown

// Runs `operation` under HourGlass, also switching it off when it fails.
void WithHourGlass(const std::function<void()>& operation);

// ---------------------------------------------------------------- datasets of an owner

// The datasets an owner (a window or data module) has created as its
// components, in the order of its children, depth first. A window's components include those placed
// on its panels; another window or data module it owns keeps its own.
QList<TDataSet*> OwnedDataSets(const QObject* owner);

bool IsEditing(const TDataSet* dataSet); // edit or insert state
void PostIfEditing(TDataSet* dataSet);
void PostFormDataSets(QObject* window);
void OpenDataSets(QObject* owner, int tag);
void PostDataSets(QObject* owner, int tag);
// Local SQL queries are not refreshed: they run again when they are reopened.
void RefreshDataSets(QObject* owner, int tag);
void CloseDataSets(QObject* owner, int tag);

// Deletes every row of the table that the mode makes visible:
//   0  the rows as the table shows them (master link and filter apply)
//   1  without the filter (the master link still applies)
//   2  without the master link (the filter still applies)
//   3  without the master link, only the rows whose `fieldName` equals
//      `value` ("[%s] = %d")
// The master link, filtering and filter text are restored afterwards, also
// when a deletion fails; the failure is passed on.
void DeleteAllRecords(TDataSet* table, int mode, const QString& fieldName = QString(), int value = 0);

// Field lists (";" separated): empty for all fields in field order; names
// for those fields in list order; "-" followed by names for all fields
// except those. Element i of the system's 1-based value array is at index
// i - 1 of the list.
QVariantList GetRecordValues(TDataSet* dataSet, const QString& fieldList);
void GetRecordValues(TDataSet* dataSet, const QString& fieldList, QVariantList& values);
// Assigns the values to the listed fields in order; fields that cannot be
// modified and auto-increment fields are passed over (their element is
// used up). The dataset's calculated fields are not recomputed while the
// values go in. More values than listed fields (or, for the empty list, a
// count other than the field count) raises before anything is assigned.
void SetRecordValues(TDataSet* dataSet, const QString& fieldList, const QVariantList& values);

// Runs `operation` with the dataset in the named index: a stored table
// loses its master link and order field list for the duration. Afterwards
// the master link, order and index are restored and the dataset is back on
// the row it was on, also when the operation fails. Views are suspended.
void WithIndex(TDataSet* dataSet, const QString& indexName, const std::function<void()>& operation);

// ---------------------------------------------------------------- windows and components

// Enables or disables every control of the window with that tag; single-line
// edits also get the edit background when enabled and the button face when
// disabled.
void EnableControlsByTag(QWidget* window, int tag, bool enabled);

using TComponentProc = std::function<void(QObject* Component, void* Data)>;
// Every component the component owns, in order, depth first: the operation
// runs on a component before the components it owns.
void ForEachComponent(QObject* component, void* data, const TComponentProc& operation);

// ---------------------------------------------------------------- table store

bool AliasExists(const QString& alias);
QString AliasPath(const QString& alias); // the alias's parameter "PATH"

// ---------------------------------------------------------------- text

// Fills each "%s" of the pattern with the next argument in one pass, so an
// argument holding "%s" itself stays as it is; "%%" is a percent sign.
QString FormatText(const QString& pattern, const QStringList& args);
// The n-th (from 1) piece between separators; empty when there are fewer.
QString ExtractToken(const QString& text, int n, QChar separator);
// The list equals the token, or contains the token followed by the
// separator, or the separator followed by the token (plain, case-sensitive
// substring tests).
bool HasToken(const QString& list, const QString& token, QChar separator);
int CountChar(const QString& text, QChar character);
QString PadLeft(const QString& text, int length, QChar character);
// Creates every missing directory of the path from the top. Both "\" and
// "/" separate pieces; a drive ("C:\") or the root ("/") is taken as
// existing. An empty piece (two separators in a row) ends the walk. Raises
// an Exception naming the directory that cannot be created.
void ForceDirectory(const QString& path);
