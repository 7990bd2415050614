-- Patient database (engine alias TavloPatients): schema, created empty at first start.
--
-- Every statement ends with a semicolon at the end of its line, so a loader may split there.
-- Long texts are declared TEXT: SQLite reads MEMO as a number where it can ("007" became 7).
-- The schema version at the end is what the program migrates older files from.

BEGIN TRANSACTION;

-- A patient is identified by birth date and sequence id; DEFAULT_ORDER refuses a second pair.
-- Neither part may be NULL, which SQLite would count as distinct from every other NULL: a
-- patient needs a birth date, and a missing sequence id is stored as the empty one.
CREATE TABLE "Patient" (
  "Patient id"  INTEGER PRIMARY KEY AUTOINCREMENT,
  "Identity"    VARCHAR(20),
  "Auto"        INTEGER,
  "Birth date"  DATETIME NOT NULL,
  "Sequence id" VARCHAR(4) NOT NULL ON CONFLICT REPLACE DEFAULT '',
  "First name"  VARCHAR(30),
  "Last name"   VARCHAR(30),
  "Export"      BOOLEAN NOT NULL,
  "Test"        BOOLEAN NOT NULL
);
CREATE UNIQUE INDEX "DEFAULT_ORDER" ON "Patient"("Birth date","Sequence id");
-- The archive searches and sorts by name.
CREATE INDEX "IX_Patient_LastName_FirstName" ON "Patient"("Last name","First name");
-- The archive's search ignores case.
CREATE INDEX "IX_Patient_LastName_NoCase" ON "Patient"("Last name" COLLATE NOCASE,"First name" COLLATE NOCASE);

-- Examinations, read per patient by date.
CREATE TABLE "Journal" (
  "Journal id" INTEGER PRIMARY KEY AUTOINCREMENT,
  "Patient id" INTEGER,
  "Date"       DATETIME,
  "Doctor"     VARCHAR(50),
  "Memo"       TEXT,
  "CalcID"     INTEGER
);
CREATE INDEX "IX_Journal_PatientId_Date_JournalId" ON "Journal"("Patient id","Date","Journal id");

-- Base values, one row per patient and base risk.
CREATE TABLE "Base" (
  "Patient id"  INTEGER,
  "Risk id"     INTEGER,
  "Examination" FLOAT
);
CREATE INDEX "IX_Base_PatientId_RiskId" ON "Base"("Patient id","Risk id");

-- Examination values and treatment goals, one row per examination and examination risk.
CREATE TABLE "Exam" (
  "Journal id"  INTEGER,
  "Risk id"     INTEGER,
  "Examination" FLOAT,
  "Treatment"   FLOAT,
  "Transferred" BOOLEAN
);
CREATE INDEX "IX_Exam_JournalId_RiskId" ON "Exam"("Journal id","Risk id");

CREATE TABLE "Doctors" (
  "Doctor id" INTEGER PRIMARY KEY AUTOINCREMENT,
  "Name"      VARCHAR(50)
);

-- Journal id 1 is reserved: ItemLink rows with JournalID 1 are the treatment catalogue and Exam
-- rows of Journal id 1 are the template of a patient's first examination, so the first real
-- examination must not get that number. Numbering starts at 2.
INSERT INTO "sqlite_sequence" ("name","seq") VALUES ('Journal', 1);

PRAGMA user_version = 1;

COMMIT;
