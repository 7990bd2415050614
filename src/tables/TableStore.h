#pragma once
// The table store: what the rest of the system reads and writes through.
//
//   Session()            the engine: aliases (GetAliasNames, AliasExists,
//                        AliasPath, AliasFileName, AddAlias), configuration
//                        sections (GetConfigParams("\SYSTEM\FORMATS\NUMBER")),
//                        process passwords (AddPassword). One alias file in
//                        the user's data folder, written with TavloCalc,
//                        TavloPatients and TavloExp at first use.
//   TDatabase            DatabaseName bound to AliasName, Params (PASSWORD=),
//                        Open/Close/Connected, transactions. SQLite in WAL
//                        mode with synchronous=FULL. Closing it closes its
//                        open datasets of every kind; a rollback re-reads
//                        them. TTransactionScope: commit explicitly, rolled
//                        back on leaving. StatementCount for the benches.
//                        Reads share one read transaction until the event
//                        loop runs; any write of the process ends it first.
//   TDataSet             cursor (First/Next/Prior/Last/MoveBy/Bof/Eof/RecNo/
//                        RecordCount/bookmarks/Refresh), states and editing
//                        (Edit/Insert/Append/Post/Cancel/Delete with the
//                        Before/After events, OnNewRecord, OnCalcFields,
//                        AutoCalcFields),
//                        DisableControls/EnableControls, fields (Fields,
//                        FieldByName, FindField), orders (IndexFieldNames,
//                        IndexName), master-detail (MasterSource,
//                        MasterFields), FindKey/FindNearest, Locate, Lookup,
//                        filters (Filter, Filtered, FilterOptions).
//                        Storage subclasses implement the Internal* slots.
//   TField and kinds     TStringField, TMemoField, TIntegerField,
//                        TSmallintField, TAutoIncField, TFloatField,
//                        TBooleanField, TDateTimeField; data, calculated and
//                        lookup fields. Text forms go through the virtual
//                        GetText/SetTextValue (override in a subclass, e.g. a
//                        converting float field) or OnGetText/OnSetText.
//                        A dataset creates its default fields through the
//                        virtual CreateField; fields created by the owner
//                        before Open are the only fields ("persistent").
//   TTable               a stored table: DatabaseName, TableName; rows of the
//                        visible range read by an indexed query, fetched in
//                        pages; Post/Delete write one row. CreateTable,
//                        EmptyTable, DeleteTable, IndexDefs.
//   TMemoryDataSet       rows in memory, ordered/ranged/filtered in memory.
//   TClientDataSet       + data packets (Data/SetData), change log
//                        (ChangeCount, CancelUpdates, MergeChangeLog),
//                        ApplyUpdates through a TDataSetProvider on a TTable,
//                        OnReconcileError (no hook: the error is raised).
//   TQuery               local SQL (SetSQL, Params/ParamByName, DataSource
//                        for parameters from a master row, Open, ExecSQL).
//                        The dialect is translated in LocalSql.h only;
//                        QuotedStr for the rare text that must be pasted.
//   TBatchMove           appends the visible rows of a dataset to a table.
//   TDataSource/TDataLink  views follow a dataset; TDataSetModel is the
//                        QAbstractTableModel of a dataset for grids.
//
// Errors are EDatabaseError with the engine's message; a second row with
// the same unique key gives exactly "Key violation.".

#include "DBClient.h"
#include "DBTables.h"
#include "DataFilter.h"
#include "DataSet.h"
#include "DataSetModel.h"
#include "LocalSql.h"
