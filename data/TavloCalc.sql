-- Application database (engine alias TavloCalc): schema and first-start seed.
--
-- Run once, on an empty database, when the program first starts for a user.
-- Every statement ends with a semicolon at the end of its line; the loader
-- splits the file there, outside quoted texts and names.
-- Formulas are written in the program's expression language; their texts span
-- several lines where that reads better (the language needs no separators).
-- Colours are Windows colour values: $00BBGGRR (blue in the high byte).
-- Long texts are declared TEXT: SQLite reads MEMO as a number where it can ("007" became 7).
-- The schema version at the end is what the program migrates older files from.

BEGIN TRANSACTION;

-- ---------------------------------------------------------------------------
-- Schema
-- ---------------------------------------------------------------------------

-- Shared definitions of the risk factors; the model variants below refer to them.
CREATE TABLE "Risks" (
  "Risk id"      INTEGER PRIMARY KEY AUTOINCREMENT,
  "Name"         VARCHAR(50),
  "Obsolete"     BOOLEAN,
  "Group"        SMALLINT,
  "Type"         SMALLINT,
  "Color"        INTEGER,
  "Default"      VARCHAR(50),
  "Decimals"     SMALLINT,
  "Dependent"    VARCHAR(100),
  "Expression"   TEXT,
  "Adjust"       TEXT,
  "Min"          FLOAT,
  "Max"          FLOAT,
  "UnitCategory" VARCHAR(30),
  "UnitName"     VARCHAR(15)
);

-- Per calculation model: which factors take part and their formulas (_P non-diabetes, _D diabetes).
CREATE TABLE "Risks_P" (
  "Risk id"       INTEGER,
  "Active"        BOOLEAN NOT NULL,
  "Visible"       BOOLEAN NOT NULL,
  "Enabled"       BOOLEAN,
  "Expression"    TEXT,
  "Adjust"        TEXT,
  "NotUsedInCalc" BOOLEAN,
  "CalcID"        INTEGER
);
CREATE INDEX "IX_Risks_P_CalcID_RiskId" ON "Risks_P"("CalcID","Risk id");

CREATE TABLE "Risks_D" (
  "Risk id"       INTEGER,
  "Active"        BOOLEAN NOT NULL,
  "Visible"       BOOLEAN NOT NULL,
  "Enabled"       BOOLEAN,
  "Expression"    TEXT,
  "Adjust"        TEXT,
  "NotUsedInCalc" BOOLEAN,
  "CalcID"        INTEGER
);
CREATE INDEX "IX_Risks_D_CalcID_RiskId" ON "Risks_D"("CalcID","Risk id");

-- Coefficients per model, factor and kind; one row per patient group in Value id order.
CREATE TABLE "Values_P" (
  "Value id" INTEGER PRIMARY KEY AUTOINCREMENT,
  "Risk id"  INTEGER,
  "Type"     SMALLINT,
  "Value"    FLOAT,
  "CalcID"   INTEGER
);
CREATE INDEX "IX_Values_P_CalcID_RiskId_Type_ValueId" ON "Values_P"("CalcID","Risk id","Type","Value id");

CREATE TABLE "Values_D" (
  "Value id" INTEGER PRIMARY KEY AUTOINCREMENT,
  "Risk id"  INTEGER,
  "Type"     SMALLINT,
  "Value"    FLOAT,
  "CalcID"   INTEGER
);
CREATE INDEX "IX_Values_D_CalcID_RiskId_Type_ValueId" ON "Values_D"("CalcID","Risk id","Type","Value id");

-- Baseline survival by group and age; read in Group;Age order within one model.
CREATE TABLE "Baseline_P" (
  "BaselineId" INTEGER PRIMARY KEY AUTOINCREMENT,
  "Group"      INTEGER,
  "Age"        FLOAT,
  "Value"      FLOAT,
  "CalcID"     INTEGER
);
CREATE INDEX "IX_Baseline_P_Group_Age" ON "Baseline_P"("Group","Age");
CREATE INDEX "IX_Baseline_P_CalcID_Group_Age" ON "Baseline_P"("CalcID","Group","Age");

CREATE TABLE "Baseline_D" (
  "BaselineId" INTEGER PRIMARY KEY AUTOINCREMENT,
  "Group"      INTEGER,
  "Age"        FLOAT,
  "Value"      FLOAT,
  "CalcID"     INTEGER
);
CREATE INDEX "IX_Baseline_D_Group_Age" ON "Baseline_D"("Group","Age");
CREATE INDEX "IX_Baseline_D_CalcID_Group_Age" ON "Baseline_D"("CalcID","Group","Age");

CREATE TABLE "Group_P" (
  "Group" INTEGER,
  "Name"  VARCHAR(50)
);
CREATE INDEX "IX_Group_P_Group" ON "Group_P"("Group");

CREATE TABLE "Group_D" (
  "Group" INTEGER,
  "Name"  VARCHAR(50)
);
CREATE INDEX "IX_Group_D_Group" ON "Group_D"("Group");

CREATE TABLE "CalcModel" (
  "CalcID"      INTEGER,
  "Description" VARCHAR(50)
);
CREATE INDEX "IX_CalcModel_CalcID" ON "CalcModel"("CalcID");

CREATE TABLE "General" (
  "Version"      INTEGER,
  "Prediction"   VARCHAR(50),
  "PrintLogo"    VARCHAR(100),
  "Absolute min" FLOAT,
  "Absolute max" FLOAT,
  "Validation"   VARCHAR(20)
);

CREATE TABLE "Country" (
  "Country id"          INTEGER PRIMARY KEY AUTOINCREMENT,
  "Name"                VARCHAR(50),
  "BirthDateFormat"     VARCHAR(15),
  "PatientIdValidation" VARCHAR(20),
  "PatientIdAutoNumber" BOOLEAN,
  "PredictionYears"     SMALLINT,
  "Separator name"      VARCHAR(1),
  "ISOLanguage"         VARCHAR(5),
  "CalcID"              INTEGER,
  "Program title"       VARCHAR(40),
  "Splash title"        VARCHAR(40),
  "Print title"         VARCHAR(40),
  "SplashMessage"       TEXT,
  "AboutMessage"        TEXT,
  "ScaleFactor"         SMALLINT,
  "HelpFile"            VARCHAR(20),
  "Enabled"             BOOLEAN
);
CREATE INDEX "IX_Country_Name" ON "Country"("Name");

-- Type 1 locale name, 2 pick-list definition, 3 display unit of a factor.
CREATE TABLE "Names" (
  "Country id" INTEGER,
  "Risk id"    INTEGER,
  "Type"       INTEGER,
  "Name"       VARCHAR(50)
);
CREATE INDEX "IX_Names_CountryId_RiskId_Type" ON "Names"("Country id","Risk id","Type");

CREATE TABLE "Colors" (
  "Country id" INTEGER,
  "Max"        INTEGER,
  "Text"       VARCHAR(50),
  "Color"      INTEGER
);
CREATE INDEX "IX_Colors_CountryId_Max" ON "Colors"("Country id","Max");

CREATE TABLE "Compose_P" (
  "Compose id" INTEGER PRIMARY KEY AUTOINCREMENT,
  "Country id" INTEGER,
  "Name"       VARCHAR(100),
  "Type"       SMALLINT,
  "Expression" TEXT
);
CREATE INDEX "IX_Compose_P_CountryId_Name" ON "Compose_P"("Country id","Name");
CREATE INDEX "IX_Compose_P_CountryId_ComposeId" ON "Compose_P"("Country id","Compose id");

CREATE TABLE "Compose_D" (
  "Compose id" INTEGER PRIMARY KEY AUTOINCREMENT,
  "Country id" INTEGER,
  "Name"       VARCHAR(100),
  "Type"       SMALLINT,
  "Expression" TEXT
);
CREATE INDEX "IX_Compose_D_CountryId_Name" ON "Compose_D"("Country id","Name");
CREATE INDEX "IX_Compose_D_CountryId_ComposeId" ON "Compose_D"("Country id","Compose id");

-- Named patient-identity rules; Result of the Expression is logical.
CREATE TABLE "ID" (
  "Name"       VARCHAR(20),
  "Expression" VARCHAR(1000),
  "Pattern"    VARCHAR(50)
);

CREATE TABLE "UNITCNV" (
  "Category"   VARCHAR(30),
  "FromUnit"   VARCHAR(15),
  "ToUnit"     VARCHAR(15),
  "Expression" VARCHAR(255)
);

CREATE TABLE "EXCHANGE" (
  "Format"      VARCHAR(30),
  "Category"    VARCHAR(20),
  "Class"       VARCHAR(30),
  "Scheme"      VARCHAR(20),
  "Date format" VARCHAR(15),
  "Extension"   VARCHAR(5),
  "Description" VARCHAR(100),
  "Enabled"     BOOLEAN,
  "OEM"         BOOLEAN,
  "Encrypted"   BOOLEAN,
  "Internal"    BOOLEAN
);
CREATE INDEX "IX_EXCHANGE_Category" ON "EXCHANGE"("Category");

CREATE TABLE "SCHEME" (
  "Scheme"       VARCHAR(20),
  "Record type"  VARCHAR(5),
  "Field number" INTEGER,
  "Field name"   VARCHAR(30),
  "Field type"   VARCHAR(10),
  "Position"     INTEGER,
  "Length"       INTEGER,
  "Decimals"     INTEGER
);
CREATE INDEX "IX_SCHEME_Scheme_RecordType_FieldNumber" ON "SCHEME"("Scheme","Record type","Field number");

-- Treatment catalogue: Item 1 and ItemGroup 1 are captions, ItemGroup 2 lists the examination's ticks.
CREATE TABLE "Item" (
  "ID"   INTEGER PRIMARY KEY AUTOINCREMENT,
  "Name" VARCHAR(25),
  "Dose" FLOAT
);
CREATE INDEX "IX_Item_Name_Dose" ON "Item"("Name","Dose");

CREATE TABLE "ItemGroup" (
  "ID"   INTEGER PRIMARY KEY AUTOINCREMENT,
  "Name" VARCHAR(25)
);
CREATE INDEX "IX_ItemGroup_Name" ON "ItemGroup"("Name");

-- JournalID 1 is the catalogue; any other JournalID is an examination's ticked item.
CREATE TABLE "ItemLink" (
  "JournalID" INTEGER,
  "GroupID"   INTEGER,
  "ItemID"    INTEGER
);
CREATE INDEX "IX_ItemLink_JournalID_GroupID_ItemID" ON "ItemLink"("JournalID","GroupID","ItemID");

-- ---------------------------------------------------------------------------
-- Seed
-- ---------------------------------------------------------------------------

-- Update level 1; offered prediction periods; warn above 40 % absolute risk.
INSERT INTO "General" ("Version","Prediction","PrintLogo","Absolute min","Absolute max","Validation") VALUES (1, '5,10', NULL, NULL, 40, 'DateSequence');

-- Baseline groups: the coefficient row at position g belongs to group g.
INSERT INTO "Group_P" ("Group","Name") VALUES (0, 'Men');
INSERT INTO "Group_P" ("Group","Name") VALUES (1, 'Women');
INSERT INTO "Group_D" ("Group","Name") VALUES (0, 'Men');
INSERT INTO "Group_D" ("Group","Name") VALUES (1, 'Women');

-- Risk factors with the fixed ids the program names in code (7 diabetes, 4/8/33 for BMI); Sex (5)
-- is the model group: 0 men, 1 women.
-- Group 1 examination value, 2 base value; Type 1 measured number, 2 chosen from a pick list.
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (1, 'Blood pressure', 0, 1, 1, 255, '130', 0, NULL, NULL, NULL, 70, 250, 'Pressure', 'mmHg');
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (2, 'Cholesterol', 0, 1, 1, 16711680, '5', 1, NULL, NULL, NULL, 1, 20, 'Cholesterol', 'mmol/L');
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (3, 'Smoking', 0, 1, 2, 8421504, '0', 0, NULL, NULL, NULL, 0, 2, NULL, NULL);
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (4, 'Weight', 0, 1, 1, 32896, '75', 0, 'BMI', NULL, NULL, 20, 250, 'Mass', 'kg');
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (5, 'Sex', 0, 2, 2, 12632256, '0', 0, NULL, NULL, NULL, 0, 1, NULL, NULL);
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (6, 'Family history', 0, 2, 2, 8388736, '0', 0, NULL, NULL, NULL, 0, 1, NULL, NULL);
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (7, 'Diabetes', 0, 2, 2, 8421376, '0', 0, NULL, NULL, NULL, 0, 1, NULL, NULL);
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (8, 'Height', 0, 2, 1, 8388608, '170', 0, 'BMI', NULL, NULL, 100, 230, 'Length', 'cm');
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (9, 'Previous heart disease', 0, 2, 2, 128, '0', 0, NULL, NULL, NULL, 0, 1, NULL, NULL);
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (19, 'HDL', 0, 1, 1, 65280, '1.5', 1, NULL, NULL, NULL, 0.2, 5, 'Cholesterol', 'mmol/L');
-- BMI has no unit category: it is computed and never converted.
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (33, 'BMI', 0, 1, 1, 16711935, '25', 1, NULL, NULL, NULL, 10, 70, NULL, 'kg/m²');

-- The SCORE2 models, written by tools/score2 from the published coefficients: the calculation
-- models, each variant's risk rows with their formulas, coefficients, baselines and composed texts.
-- >>> Generated by tools/score2 (score2-generate --write data/TavloCalc.sql): do not edit by hand.

-- The four SCORE2 recalibrations; each country picks its region through its CalcID.
INSERT INTO "CalcModel" ("CalcID","Description") VALUES (1, 'SCORE2, low-risk region');
INSERT INTO "CalcModel" ("CalcID","Description") VALUES (2, 'SCORE2, moderate-risk region');
INSERT INTO "CalcModel" ("CalcID","Description") VALUES (3, 'SCORE2, high-risk region');
INSERT INTO "CalcModel" ("CalcID","Description") VALUES (4, 'SCORE2, very-high-risk region');

-- Non-diabetes variant: the Diabetes base value, where the patient has one, gives the diabetes term.
-- Factors outside SCORE2 add nothing and are marked NotUsedInCalc; Sex chooses the group.
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (1, 1, 1, 1, '{ SCORE2: systolic blood pressure, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''Blood pressure'')
IF x <= 0 THEN x := Examination(''Blood pressure'')
IF x > 0 THEN Result := (Beta(''Blood pressure'') + Coefficient(''Blood pressure'', 4) * (Age() - 60)) * (x - Const(''Blood pressure''))', NULL, 0, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (2, 1, 1, 1, '{ SCORE2: total cholesterol, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''Cholesterol'')
IF x <= 0 THEN x := Examination(''Cholesterol'')
IF x > 0 THEN Result := (Beta(''Cholesterol'') + Coefficient(''Cholesterol'', 4) * (Age() - 60)) * (x - Const(''Cholesterol''))', NULL, 0, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (3, 1, 1, 1, '{ SCORE2: current smoking (2); never and former smokers add nothing }
Result := 0
IF Measure(''Smoking'') = 2 THEN Result := Beta(''Smoking'') + Coefficient(''Smoking'', 4) * (Age() - 60)', NULL, 0, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (4, 0, 1, 1, NULL, NULL, 1, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (5, 1, 1, 1, '{ The model group: men 0, women 1; no term of its own }
Result := 0', NULL, 0, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (6, 1, 1, 1, '{ Not part of SCORE2: entered and shown, adds nothing }
Result := 0', NULL, 1, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (7, 1, 1, 1, '{ SCORE2: diabetes, from the base value where the patient has one }
Result := 0
IF Measure(''Diabetes'') = 1 THEN Result := Beta(''Diabetes'') + Coefficient(''Diabetes'', 4) * (Age() - 60)', NULL, 0, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (8, 0, 1, 1, NULL, NULL, 1, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (9, 1, 1, 1, '{ SCORE2 is for people without cardiovascular disease; adds nothing }
Result := 0', NULL, 1, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (19, 1, 1, 1, '{ SCORE2: HDL cholesterol, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''HDL'')
IF x <= 0 THEN x := Examination(''HDL'')
IF x > 0 THEN Result := (Beta(''HDL'') + Coefficient(''HDL'', 4) * (Age() - 60)) * (x - Const(''HDL''))', NULL, 0, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (33, 1, 1, 1, '{ Not part of SCORE2: entered and shown, adds nothing }
Result := 0', 'Result := Min(Examination(''BMI''), 25)', 1, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (1, 1, 1, 1, '{ SCORE2: systolic blood pressure, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''Blood pressure'')
IF x <= 0 THEN x := Examination(''Blood pressure'')
IF x > 0 THEN Result := (Beta(''Blood pressure'') + Coefficient(''Blood pressure'', 4) * (Age() - 60)) * (x - Const(''Blood pressure''))', NULL, 0, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (2, 1, 1, 1, '{ SCORE2: total cholesterol, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''Cholesterol'')
IF x <= 0 THEN x := Examination(''Cholesterol'')
IF x > 0 THEN Result := (Beta(''Cholesterol'') + Coefficient(''Cholesterol'', 4) * (Age() - 60)) * (x - Const(''Cholesterol''))', NULL, 0, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (3, 1, 1, 1, '{ SCORE2: current smoking (2); never and former smokers add nothing }
Result := 0
IF Measure(''Smoking'') = 2 THEN Result := Beta(''Smoking'') + Coefficient(''Smoking'', 4) * (Age() - 60)', NULL, 0, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (4, 0, 1, 1, NULL, NULL, 1, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (5, 1, 1, 1, '{ The model group: men 0, women 1; no term of its own }
Result := 0', NULL, 0, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (6, 1, 1, 1, '{ Not part of SCORE2: entered and shown, adds nothing }
Result := 0', NULL, 1, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (7, 1, 1, 1, '{ SCORE2: diabetes, from the base value where the patient has one }
Result := 0
IF Measure(''Diabetes'') = 1 THEN Result := Beta(''Diabetes'') + Coefficient(''Diabetes'', 4) * (Age() - 60)', NULL, 0, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (8, 0, 1, 1, NULL, NULL, 1, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (9, 1, 1, 1, '{ SCORE2 is for people without cardiovascular disease; adds nothing }
Result := 0', NULL, 1, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (19, 1, 1, 1, '{ SCORE2: HDL cholesterol, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''HDL'')
IF x <= 0 THEN x := Examination(''HDL'')
IF x > 0 THEN Result := (Beta(''HDL'') + Coefficient(''HDL'', 4) * (Age() - 60)) * (x - Const(''HDL''))', NULL, 0, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (33, 1, 1, 1, '{ Not part of SCORE2: entered and shown, adds nothing }
Result := 0', 'Result := Min(Examination(''BMI''), 25)', 1, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (1, 1, 1, 1, '{ SCORE2: systolic blood pressure, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''Blood pressure'')
IF x <= 0 THEN x := Examination(''Blood pressure'')
IF x > 0 THEN Result := (Beta(''Blood pressure'') + Coefficient(''Blood pressure'', 4) * (Age() - 60)) * (x - Const(''Blood pressure''))', NULL, 0, 3);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (2, 1, 1, 1, '{ SCORE2: total cholesterol, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''Cholesterol'')
IF x <= 0 THEN x := Examination(''Cholesterol'')
IF x > 0 THEN Result := (Beta(''Cholesterol'') + Coefficient(''Cholesterol'', 4) * (Age() - 60)) * (x - Const(''Cholesterol''))', NULL, 0, 3);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (3, 1, 1, 1, '{ SCORE2: current smoking (2); never and former smokers add nothing }
Result := 0
IF Measure(''Smoking'') = 2 THEN Result := Beta(''Smoking'') + Coefficient(''Smoking'', 4) * (Age() - 60)', NULL, 0, 3);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (4, 0, 1, 1, NULL, NULL, 1, 3);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (5, 1, 1, 1, '{ The model group: men 0, women 1; no term of its own }
Result := 0', NULL, 0, 3);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (6, 1, 1, 1, '{ Not part of SCORE2: entered and shown, adds nothing }
Result := 0', NULL, 1, 3);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (7, 1, 1, 1, '{ SCORE2: diabetes, from the base value where the patient has one }
Result := 0
IF Measure(''Diabetes'') = 1 THEN Result := Beta(''Diabetes'') + Coefficient(''Diabetes'', 4) * (Age() - 60)', NULL, 0, 3);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (8, 0, 1, 1, NULL, NULL, 1, 3);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (9, 1, 1, 1, '{ SCORE2 is for people without cardiovascular disease; adds nothing }
Result := 0', NULL, 1, 3);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (19, 1, 1, 1, '{ SCORE2: HDL cholesterol, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''HDL'')
IF x <= 0 THEN x := Examination(''HDL'')
IF x > 0 THEN Result := (Beta(''HDL'') + Coefficient(''HDL'', 4) * (Age() - 60)) * (x - Const(''HDL''))', NULL, 0, 3);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (33, 1, 1, 1, '{ Not part of SCORE2: entered and shown, adds nothing }
Result := 0', 'Result := Min(Examination(''BMI''), 25)', 1, 3);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (1, 1, 1, 1, '{ SCORE2: systolic blood pressure, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''Blood pressure'')
IF x <= 0 THEN x := Examination(''Blood pressure'')
IF x > 0 THEN Result := (Beta(''Blood pressure'') + Coefficient(''Blood pressure'', 4) * (Age() - 60)) * (x - Const(''Blood pressure''))', NULL, 0, 4);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (2, 1, 1, 1, '{ SCORE2: total cholesterol, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''Cholesterol'')
IF x <= 0 THEN x := Examination(''Cholesterol'')
IF x > 0 THEN Result := (Beta(''Cholesterol'') + Coefficient(''Cholesterol'', 4) * (Age() - 60)) * (x - Const(''Cholesterol''))', NULL, 0, 4);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (3, 1, 1, 1, '{ SCORE2: current smoking (2); never and former smokers add nothing }
Result := 0
IF Measure(''Smoking'') = 2 THEN Result := Beta(''Smoking'') + Coefficient(''Smoking'', 4) * (Age() - 60)', NULL, 0, 4);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (4, 0, 1, 1, NULL, NULL, 1, 4);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (5, 1, 1, 1, '{ The model group: men 0, women 1; no term of its own }
Result := 0', NULL, 0, 4);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (6, 1, 1, 1, '{ Not part of SCORE2: entered and shown, adds nothing }
Result := 0', NULL, 1, 4);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (7, 1, 1, 1, '{ SCORE2: diabetes, from the base value where the patient has one }
Result := 0
IF Measure(''Diabetes'') = 1 THEN Result := Beta(''Diabetes'') + Coefficient(''Diabetes'', 4) * (Age() - 60)', NULL, 0, 4);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (8, 0, 1, 1, NULL, NULL, 1, 4);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (9, 1, 1, 1, '{ SCORE2 is for people without cardiovascular disease; adds nothing }
Result := 0', NULL, 1, 4);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (19, 1, 1, 1, '{ SCORE2: HDL cholesterol, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''HDL'')
IF x <= 0 THEN x := Examination(''HDL'')
IF x > 0 THEN Result := (Beta(''HDL'') + Coefficient(''HDL'', 4) * (Age() - 60)) * (x - Const(''HDL''))', NULL, 0, 4);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (33, 1, 1, 1, '{ Not part of SCORE2: entered and shown, adds nothing }
Result := 0', 'Result := Min(Examination(''BMI''), 25)', 1, 4);

-- Coefficients: kind 1 Beta, 2 Const, 3 Inter, 4 the change of Beta per year of age from 60;
-- Beta already carries the region's scale2. Men's row first, then women's.
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 1, 0.010380426000000002, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 1, 0.0109882445, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 2, 120, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 2, 120, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 3, 0, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 3, 0, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 4, -0.000190638, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 4, -0.00019442629999999998, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 1, 0.10900008000000001, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 1, 0.07033038, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 2, 6, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 2, 6, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 3, 0, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 3, 0, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 4, -0.004201512, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 4, -0.0031725879999999996, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 1, 0.44945712, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 1, 0.5435513599999999, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 3, 0, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 3, 0, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 4, -0.01128876, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 4, -0.015273344, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (7, 1, 0.48272532000000007, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (7, 1, 0.5682582399999999, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (7, 4, -0.014697815999999999, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (7, 4, -0.017856336, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 1, -0.40340496, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 1, -0.36583028, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 2, 1.3, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 2, 1.3, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 3, 0, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 3, 0, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 4, 0.012739104000000001, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 4, 0.017210588, 1);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 1, 0.011120496499999999, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 1, 0.0120559155, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 2, 120, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 2, 120, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 3, 0, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 3, 0, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 4, -0.00020422949999999998, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 4, -0.0002133177, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 1, 0.11677122000000001, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 1, 0.07716402, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 2, 6, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 2, 6, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 3, 0, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 3, 0, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 4, -0.004501058, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 4, -0.0034808519999999996, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 1, 0.4815010799999999, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 1, 0.59636544, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 3, 0, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 3, 0, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 4, -0.012093589999999998, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 4, -0.016757375999999997, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (7, 1, 0.5171411300000001, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (7, 1, 0.62347296, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (7, 4, -0.015745693999999998, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (7, 4, -0.019591344000000004, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 1, -0.43216563999999996, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 1, -0.40137612, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 2, 1.3, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 2, 1.3, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 3, 0, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 3, 0, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 4, 0.013647336, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 4, 0.018882852, 2);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 1, 0.012996360000000002, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 1, 0.014667169499999999, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 2, 120, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 2, 120, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 3, 0, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 3, 0, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 4, -0.00023868, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 4, -0.00025952129999999996, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 1, 0.13646880000000003, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 1, 0.09387738, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 2, 6, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 2, 6, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 3, 0, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 3, 0, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 4, -0.005260320000000001, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 4, -0.004234788, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 1, 0.5627232, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 1, 0.72553536, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 3, 0, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 3, 0, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 4, -0.014133600000000001, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 4, -0.020386943999999997, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (7, 1, 0.6043752000000001, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (7, 1, 0.75851424, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (7, 4, -0.01840176, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (7, 4, -0.023834736000000002, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 1, -0.5050656, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 1, -0.48831228, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 2, 1.3, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 2, 1.3, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 3, 0, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 3, 0, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 4, 0.015949440000000002, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 4, 0.022972788, 3);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 1, 0.011516219000000001, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 1, 0.0130390495, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 2, 120, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 2, 120, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 3, 0, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 3, 0, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 4, -0.000211497, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (1, 4, -0.00023071329999999998, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 1, 0.12092652000000001, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 1, 0.08345657999999999, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 2, 6, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 2, 6, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 3, 0, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 3, 0, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 4, -0.004661228, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (2, 4, -0.003764708, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 1, 0.49863527999999996, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 1, 0.64499776, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 3, 0, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 3, 0, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 4, -0.01252394, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (3, 4, -0.018123904, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (7, 1, 0.53554358, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (7, 1, 0.67431584, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (7, 4, -0.016306004, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (7, 4, -0.021188976, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 1, -0.44754424, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 1, -0.43410748, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 2, 1.3, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 2, 1.3, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 3, 0, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 3, 0, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 4, 0.014132976, 4);
INSERT INTO "Values_P" ("Risk id","Type","Value","CalcID") VALUES (19, 4, 0.020422708, 4);

-- Baseline survival: the region's age term and constant as a Gompertz curve, ages 40 to 79.
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 40, 0.977916630383447, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 41, 0.9766607814217396, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 42, 0.9753344189762965, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 43, 0.9739336904151769, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 44, 0.9724545452047971, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 45, 0.9708927262522704, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 46, 0.9692437610571877, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 47, 0.9675029526955057, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 48, 0.9656653706629995, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 49, 0.963725841611132, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 50, 0.9616789400142487, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 51, 0.9595189788137853, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 52, 0.9572400000927458, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 53, 0.9548357658421341, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 54, 0.9522997488903859, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 55, 0.9496251240772074, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 56, 0.9468047597646833, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 57, 0.9438312097911169, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 58, 0.9406967059869235, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 59, 0.9373931513870452, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 60, 0.9339121142909134, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 61, 0.9302448233389661, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 62, 0.9263821637942372, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 63, 0.9223146752385727, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 64, 0.9180325509156569, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 65, 0.9135256389772253, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 66, 0.9087834459145947, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 67, 0.9037951424848909, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 68, 0.898549572469985, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 69, 0.8930352646360331, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 70, 0.8872404482924012, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 71, 0.8811530728803796, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 72, 0.8747608320540485, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 73, 0.8680511927474777, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 74, 0.8610114297534993, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 75, 0.8536286663688623, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 76, 0.845889921687724, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 77, 0.8377821651490998, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 78, 0.8292923789627553, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 79, 0.8204076290506094, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 40, 0.9901789338236544, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 41, 0.9895202360794708, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 42, 0.9888176095407217, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 43, 0.9880681593402226, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 44, 0.9872688046818997, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 45, 0.9864162675767186, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 46, 0.9855070609925688, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 47, 0.9845374764019356, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 48, 0.9835035707131746, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 49, 0.9824011525737175, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 50, 0.9812257680366562, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 51, 0.9799726855859723, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 52, 0.9786368805203017, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 53, 0.9772130187006683, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 54, 0.9756954396742132, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 55, 0.9740781391937396, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 56, 0.9723547511620371, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 57, 0.9705185290406332, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 58, 0.9685623267750355, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 59, 0.9664785793028869, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 60, 0.9642592827280063, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 61, 0.9618959742622674, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 62, 0.9593797120589754, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 63, 0.956701055086113, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 64, 0.953850043215873, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 65, 0.9508161777386008, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 66, 0.9475884025449893, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 67, 0.9441550862604466, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 68, 0.9405040056603702, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 69, 0.9366223307449488, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 70, 0.9324966119074253, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 71, 0.9281127696907945, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 72, 0.9234560876949487, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 73, 0.9185112092694974, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 74, 0.9132621387069985, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 75, 0.9076922477370801, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 76, 0.9017842882137311, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 77, 0.895520411985444, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 78, 0.8888821990402281, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 79, 0.8818506951237187, 1);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 40, 0.9762941024535121, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 41, 0.9748483055284574, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 42, 0.9733155421001375, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 43, 0.9716907343682522, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 44, 0.9699685275377175, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 45, 0.9681432772210009, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 46, 0.9662090366065615, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 47, 0.9641595434424246, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 48, 0.9619882068939155, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 49, 0.9596880943458842, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 50, 0.9572519182324741, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 51, 0.9546720229917829, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 52, 0.9519403722587598, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 53, 0.9490485364275347, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 54, 0.9459876807342327, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 55, 0.9427485540333509, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 56, 0.9393214784651077, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 57, 0.9356963402379718, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 58, 0.9318625817799833, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 59, 0.9278091955446066, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 60, 0.9235247197918124, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 61, 0.91899723670295, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 62, 0.914214373228763, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 63, 0.909163305113602, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 64, 0.9038307645854117, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 65, 0.8982030522502228, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 66, 0.8922660537813983, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 67, 0.8860052620473274, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 68, 0.8794058053760819, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 69, 0.8724524827109635, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 70, 0.8651298064659079, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 71, 0.8574220539431078, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 72, 0.8493133282254359, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 73, 0.840787629501368, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 74, 0.8318289378178344, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 75, 0.8224213082840058, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 76, 0.8125489797631963, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 77, 0.8021964980870375, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 78, 0.7913488548014602, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 79, 0.7799916424027912, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 40, 0.9910151643328889, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 41, 0.9903515976186759, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 42, 0.9896392804775437, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 43, 0.9888746707679444, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 44, 0.9880539750421817, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 45, 0.9871731316534126, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 46, 0.9862277928738985, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 47, 0.9852133059905913, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 48, 0.984124693347385, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 49, 0.9829566313076642, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 50, 0.9817034281163254, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 51, 0.9803590006474385, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 52, 0.9789168500324199, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 53, 0.9773700361742436, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 54, 0.9757111511661813, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 55, 0.9739322916491417, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 56, 0.9720250301603042, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 57, 0.9699803855478368, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 58, 0.9677887925525455, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 59, 0.9654400706878727, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 60, 0.9629233925853481, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 61, 0.9602272520140407, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 62, 0.9573394318304971, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 63, 0.9542469721708333, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 64, 0.9509361392599046, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 65, 0.9473923952846621, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 66, 0.9436003698608244, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 67, 0.9395438337147392, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 68, 0.9352056753066974, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 69, 0.9305678812388349, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 70, 0.925611521420901, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 71, 0.9203167401112079, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 72, 0.9146627541084482, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 73, 0.9086278595428795, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 74, 0.9021894489023854, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 75, 0.8953240401292837, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 76, 0.8880073198359764, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 77, 0.8802142029092013, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 78, 0.8719189110002342, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 79, 0.8630950726269828, 2);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 40, 0.9835770186580299, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 41, 0.9823958824953896, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 42, 0.9811306170986118, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 43, 0.9797753526178592, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 44, 0.9783238280341818, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 45, 0.9767693678771041, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 46, 0.9751048579909971, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 47, 0.9733227203855753, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 48, 0.9714148872225954, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 49, 0.9693727740105824, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 50, 0.9671872521025743, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 51, 0.9648486206189074, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 52, 0.962346577948472, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 53, 0.9596701930181814, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 54, 0.9568078765622118, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 55, 0.953747352670517, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 56, 0.9504756309508602, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 57, 0.9469789797008463, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 58, 0.9432429005569027, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 59, 0.9392521051665659, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 60, 0.9349904945195242, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 61, 0.9304411416723105, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 62, 0.925586278711954, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 63, 0.9204072889257856, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 64, 0.9148847052782791, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 65, 0.90899821644138, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 66, 0.9027266817820205, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 67, 0.8960481568787628, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 68, 0.8889399313175598, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 69, 0.8813785807025767, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 70, 0.8733400350090844, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 71, 0.864799665597793, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 72, 0.8557323933984516, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 73, 0.846112820948424, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 74, 0.8359153911306227, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 75, 0.8251145755839784, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 76, 0.8136850958452438, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 77, 0.8016021803074181, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 78, 0.7888418600282243, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 79, 0.7753813062694334, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 40, 0.9935983401520989, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 41, 0.993017830753268, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 42, 0.9923848821601378, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 43, 0.9916947957501585, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 44, 0.9909424591916547, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 45, 0.9901223114083203, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 46, 0.9892283048447416, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 47, 0.9882538648781422, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 48, 0.9871918462240634, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 49, 0.9860344861893894, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 50, 0.9847733546358199, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 51, 0.9833993005315066, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 52, 0.9819023949892427, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 53, 0.980271870717648, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 54, 0.9784960578487766, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 55, 0.976562316153325, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 56, 0.9744569637152484, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 57, 0.9721652022135611, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 58, 0.9696710390532416, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 59, 0.9669572067027138, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 60, 0.9640050797360284, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 61, 0.9607945902477664, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 62, 0.9573041425124741, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 63, 0.953510528003246, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 64, 0.9493888421714749, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 65, 0.944912404727795, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 66, 0.9400526855591279, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 67, 0.9347792388749362, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 68, 0.9290596487035707, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 69, 0.9228594894627756, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 70, 0.916142306011785, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 71, 0.9088696183591237, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 72, 0.9010009570507423, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 73, 0.892493936194235, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 74, 0.8833043720781008, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 75, 0.8733864564046867, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 76, 0.8626929942465024, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 77, 0.8511757179207221, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 78, 0.8387856890031328, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 79, 0.8254738015985477, 3);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 40, 0.9589006084973769, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 41, 0.9563269364667719, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 42, 0.9535960333280262, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 43, 0.9506988081398888, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 44, 0.9476257121202863, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 45, 0.9443667247747339, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 46, 0.9409113409831472, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 47, 0.9372485593124242, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 48, 0.9333668718592204, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 49, 0.9292542559680488, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 50, 0.9248981682143576, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 51, 0.9202855410906929, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 52, 0.9154027828865229, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 53, 0.9102357813087592, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 54, 0.904769911450398, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 55, 0.89899004877877, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 56, 0.8928805878823077, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 57, 0.8864254677849421, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 58, 0.8796082047094829, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 59, 0.8724119332445718, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 60, 0.8648194569426745, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 61, 0.85681330944737, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 62, 0.8483758273147105, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 63, 0.8394892357530005, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 64, 0.830135748554674, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 65, 0.8202976835291277, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 66, 0.8099575947616993, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 67, 0.7990984230159928, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 68, 0.7877036655580815, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 69, 0.7757575666044871, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 70, 0.763245329473011, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 71, 0.7501533513373209, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 72, 0.7364694812426179, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 73, 0.7221833017199425, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 74, 0.7072864339293347, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 75, 0.6917728657555733, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 76, 0.6756393016631078, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 77, 0.6588855323784559, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 78, 0.6415148215996247, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (0, 79, 0.6235343059264297, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 40, 0.9803152637059543, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 41, 0.9787475447282612, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 42, 0.9770564379989111, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 43, 0.975232476725636, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 44, 0.9732655086286415, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 45, 0.9711446532075843, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 46, 0.9688582575556972, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 47, 0.9663938509119115, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 48, 0.9637380982024197, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 49, 0.9608767528945819, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 50, 0.9577946095699099, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 51, 0.9544754567206896, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 52, 0.9509020303883691, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 53, 0.9470559693930177, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 54, 0.9429177730538835, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 55, 0.9384667624733258, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 56, 0.9336810466521576, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 57, 0.928537494925542, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 58, 0.9230117174567448, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 59, 0.9170780558025274, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 60, 0.9107095858695776, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 61, 0.9038781359160926, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 62, 0.8965543226153811, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 63, 0.8887076085866182, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 64, 0.8803063852072184, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 65, 0.8713180849448534, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 66, 0.8617093278749204, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 67, 0.8514461074674938, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 68, 0.8404940211179345, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 69, 0.8288185512332175, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 70, 0.8163854029408222, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 71, 0.8031609046200713, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 72, 0.7891124774196803, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 73, 0.7742091796628074, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 74, 0.7584223314844791, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 75, 0.7417262241176198, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 76, 0.7240989168545253, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 77, 0.7055231227631498, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 78, 0.6859871816286359, 4);
INSERT INTO "Baseline_P" ("Group","Age","Value","CalcID") VALUES (1, 79, 0.6654861152154208, 4);

-- Composed texts: 1 group buttons, 2 personal advice, 3 guideline texts.
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (1, 'Men', 1, '{ Group button: men are group 0 }
Result := 0');
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (1, 'Women', 1, '{ Group button: women are group 1 }
Result := 1');
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (1, 'Blood pressure', 2, '{ Advice: the measured value, its goal and what reaching the goal means }
nl := #13#10
n := ''Blood pressure''
e := Examination(n)
t := Treatment(n)
IF e <= 0 THEN Result := ''No systolic blood pressure is recorded at this examination. Until it is measured, the estimate counts it as '' + Translate(n, Const(n)) + '' mmHg, which understates the risk of most patients.''
ELSE
BEGIN
  Result := ''Systolic blood pressure is '' + Translate(n, e) + '' mmHg.''
  IF (t <= 0) OR (t = e) THEN Result := Result + '' No other goal is set, so the treatment estimate keeps the measured value.''
  ELSE
  BEGIN
  Result := Result + '' Reaching the goal of '' + Translate(n, t) + '' mmHg'' + '', with everything else unchanged, ''
  hr := 2.718281828459045 ^ ((Beta(n) + Coefficient(n, 4) * (Age() - 60)) * (t - e))
  r := ExaminationRisk() / 100
  cut := 1 - hr
  IF (r > 0) AND (r < 1) THEN cut := (r - 1 + (1 - r) ^ hr) / r
  IF (cut < 0.005) AND (cut > -0.005) THEN Result := Result + ''hardly changes the estimated risk.''
  ELSE IF cut > 0 THEN Result := Result + ''lowers the estimated risk by about '' + DecToStr(100 * cut, 0) + '' % of its present value.''
  ELSE Result := Result + ''raises the estimated risk by about '' + DecToStr(-100 * cut, 0) + '' % of its present value.''
  END
  Result := Result + '' '' + ''The 2021 guidelines aim first at below 140 mmHg and then, if tolerated, at 120 to 130 mmHg for people under 70.''
END
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Previous heart disease is recorded: SCORE2 does not apply to this patient, and the guidelines count the patient as very high risk. The figures below only show the direction and rough size of each change.'' + nl + nl + Result');
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (1, 'Cholesterol', 2, '{ Advice: the measured value, its goal and what reaching the goal means }
nl := #13#10
n := ''Cholesterol''
e := Examination(n)
t := Treatment(n)
IF e <= 0 THEN Result := ''No total cholesterol is recorded at this examination. Until it is measured, the estimate counts it as '' + Translate(n, Const(n)) + '' mmol/L.''
ELSE
BEGIN
  Result := ''Total cholesterol is '' + Translate(n, e) + '' mmol/L.''
  IF (t <= 0) OR (t = e) THEN Result := Result + '' No other goal is set, so the treatment estimate keeps the measured value.''
  ELSE
  BEGIN
  Result := Result + '' Reaching the goal of '' + Translate(n, t) + '' mmol/L'' + '', with everything else unchanged, ''
  hr := 2.718281828459045 ^ ((Beta(n) + Coefficient(n, 4) * (Age() - 60)) * (t - e))
  r := ExaminationRisk() / 100
  cut := 1 - hr
  IF (r > 0) AND (r < 1) THEN cut := (r - 1 + (1 - r) ^ hr) / r
  IF (cut < 0.005) AND (cut > -0.005) THEN Result := Result + ''hardly changes the estimated risk.''
  ELSE IF cut > 0 THEN Result := Result + ''lowers the estimated risk by about '' + DecToStr(100 * cut, 0) + '' % of its present value.''
  ELSE Result := Result + ''raises the estimated risk by about '' + DecToStr(-100 * cut, 0) + '' % of its present value.''
  END
  Result := Result + '' '' + ''SCORE2 weighs total and HDL cholesterol; the guidelines set their lipid goals for LDL cholesterol, which this journal does not record, in steps by risk category.''
END
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Previous heart disease is recorded: SCORE2 does not apply to this patient, and the guidelines count the patient as very high risk. The figures below only show the direction and rough size of each change.'' + nl + nl + Result');
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (1, 'HDL cholesterol', 2, '{ Advice: the measured value, its goal and what reaching the goal means }
nl := #13#10
n := ''HDL''
e := Examination(n)
t := Treatment(n)
IF e <= 0 THEN Result := ''No HDL cholesterol is recorded at this examination. Until it is measured, the estimate counts it as '' + Translate(n, Const(n)) + '' mmol/L.''
ELSE
BEGIN
  Result := ''HDL cholesterol is '' + Translate(n, e) + '' mmol/L.''
  IF (t <= 0) OR (t = e) THEN Result := Result + '' No other goal is set, so the treatment estimate keeps the measured value.''
  ELSE
  BEGIN
  Result := Result + '' Reaching the goal of '' + Translate(n, t) + '' mmol/L'' + '', with everything else unchanged, ''
  hr := 2.718281828459045 ^ ((Beta(n) + Coefficient(n, 4) * (Age() - 60)) * (t - e))
  r := ExaminationRisk() / 100
  cut := 1 - hr
  IF (r > 0) AND (r < 1) THEN cut := (r - 1 + (1 - r) ^ hr) / r
  IF (cut < 0.005) AND (cut > -0.005) THEN Result := Result + ''hardly changes the estimated risk.''
  ELSE IF cut > 0 THEN Result := Result + ''lowers the estimated risk by about '' + DecToStr(100 * cut, 0) + '' % of its present value.''
  ELSE Result := Result + ''raises the estimated risk by about '' + DecToStr(-100 * cut, 0) + '' % of its present value.''
  END
  Result := Result + '' '' + ''HDL cholesterol is not a treatment target in the guidelines; it rises with regular physical activity, weight loss and stopping smoking.''
END
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Previous heart disease is recorded: SCORE2 does not apply to this patient, and the guidelines count the patient as very high risk. The figures below only show the direction and rough size of each change.'' + nl + nl + Result');
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (1, 'Smoking', 2, '{ Advice: current smoking, the goal of stopping and what stopping means }
nl := #13#10
n := ''Smoking''
e := Examination(n)
t := Treatment(n)
IF e < 0 THEN Result := ''Smoking is not recorded at this examination; the estimate counts the patient as a non-smoker.''
ELSE IF e <> 2 THEN Result := ''The patient does not smoke now ('' + Translate(n, e) + ''). SCORE2 counts only current smoking: former smokers get the risk of people who never smoked.''
ELSE
BEGIN
  Result := ''The patient smokes.''
  IF (t < 0) OR (t = 2) THEN Result := Result + '' No goal of stopping is set, so the treatment estimate assumes the patient goes on smoking.''
  ELSE
  BEGIN
  Result := Result + '' Stopping (goal: '' + Translate(n, t) + ''), with everything else unchanged, ''
  hr := 2.718281828459045 ^ (-(Beta(n) + Coefficient(n, 4) * (Age() - 60)))
  r := ExaminationRisk() / 100
  cut := 1 - hr
  IF (r > 0) AND (r < 1) THEN cut := (r - 1 + (1 - r) ^ hr) / r
  IF (cut < 0.005) AND (cut > -0.005) THEN Result := Result + ''hardly changes the estimated risk.''
  ELSE IF cut > 0 THEN Result := Result + ''lowers the estimated risk by about '' + DecToStr(100 * cut, 0) + '' % of its present value.''
  ELSE Result := Result + ''raises the estimated risk by about '' + DecToStr(-100 * cut, 0) + '' % of its present value.''
  END
  Result := Result + '' '' + ''Stopping smoking is the most effective single step; the guidelines recommend it for everyone who smokes, with support and medication where needed.''
END
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Previous heart disease is recorded: SCORE2 does not apply to this patient, and the guidelines count the patient as very high risk. The figures below only show the direction and rough size of each change.'' + nl + nl + Result');
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (1, 'All goals', 2, '{ Advice: the risk now and with every goal reached }
nl := #13#10
e := ExaminationRisk()
t := TreatmentRisk()
a := Age()
IF (a >= 0) AND ((a < 40) OR (a > 69)) THEN Result := ''SCORE2 is made for ages 40 to 69, and at this age the program''''s figures go beyond the model, so they are not given here. From 70 the guidelines use SCORE2-OP.''
ELSE
BEGIN
Result := ''Estimated risk of a fatal or non-fatal heart attack or stroke within '' + DecToStr(Prediction(), 0) + '' years: '' + DecToStr(e, 0) + '' % now, '' + DecToStr(t, 0) + '' % with every goal reached.''
IF e > t THEN Result := Result + '' '' + ''Of 100 patients like this one, about '' + DecToStr(e - t, 0) + '' fewer would have such an event in that time if every goal were reached.''
END
IF Examination(''Diabetes'') = 1 THEN Result := Result + nl + nl + ''Diabetes: the estimate uses SCORE2''''s diabetes terms only. The ESC diabetes model (SCORE2-Diabetes) also weighs HbA1c, kidney function (eGFR) and age at diagnosis, and diabetes with severe organ damage counts as very high risk.''
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Previous heart disease is recorded: SCORE2 does not apply to this patient, and the guidelines count the patient as very high risk. The figures below only show the direction and rough size of each change.'' + nl + nl + Result');
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (1, 'Risk category (ESC 2021)', 3, '{ Guideline: the risk category of the 2021 guidelines for apparently healthy people }
nl := #13#10
a := Age()
r := ExaminationRisk()
c := 0
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Previous heart disease is recorded. SCORE2 is made for people without cardiovascular disease and does not apply to this patient: the 2021 guidelines count the patient as very high risk, with treatment of every risk factor to the goals of secondary prevention. The estimate shown is not a risk category for this patient.''
ELSE IF Prediction() <> 10 THEN Result := ''The risk categories of the 2021 guidelines are set for the 10-year risk. Choose a prediction period of 10 years to place the patient in a category.''
ELSE IF a < 0 THEN Result := ''No birth date is recorded, so the age and with it the risk category are unknown.''
ELSE IF (a < 40) OR (a > 69) THEN Result := ''SCORE2 is made for ages 40 to 69, so its categories do not apply at this age. From 70 the guidelines use SCORE2-OP, with thresholds of its own.''
ELSE
BEGIN
  Result := ''Estimated 10-year risk of fatal or non-fatal cardiovascular disease (SCORE2): about '' + DecToStr(r, 0) + '' %.''
  IF a < 50 THEN
  BEGIN
    Result := Result + '' '' + ''For people under 50 the 2021 guidelines call a 10-year risk under 2.5 % low to moderate, 2.5 % to under 7.5 % high and 7.5 % or more very high.''
    IF r < 2.5 THEN c := 1 ELSE IF r < 7.5 THEN c := 2 ELSE c := 3
  END
  ELSE
  BEGIN
    Result := Result + '' '' + ''For people aged 50 to 69 the 2021 guidelines call a 10-year risk under 5 % low to moderate, 5 % to under 10 % high and 10 % or more very high.''
    IF r < 5 THEN c := 1 ELSE IF r = 5 THEN c := 12 ELSE IF r < 10 THEN c := 2 ELSE IF r = 10 THEN c := 23 ELSE c := 3
  END
  IF c = 1 THEN Result := Result + nl + nl + ''The patient is at low to moderate risk. Treatment of the risk factors is generally not recommended; lifestyle advice applies to everyone.''
  IF c = 12 THEN Result := Result + nl + nl + ''The estimate lies at the border between low to moderate and high risk, which the rounded figure cannot settle. Risk modifiers and the patient''''s wishes decide whether treatment should be considered.''
  IF c = 2 THEN Result := Result + nl + nl + ''The patient is at high risk. Treatment of the risk factors should be considered, weighing the expected benefit, risk modifiers, other illness and the patient''''s wishes.''
  IF c = 23 THEN Result := Result + nl + nl + ''The estimate lies at the border between high and very high risk. Treatment of the risk factors should at least be considered.''
  IF c = 3 THEN Result := Result + nl + nl + ''The patient is at very high risk. Treatment of the risk factors is recommended.''
  Result := Result + nl + nl + ''Family history, obesity, social deprivation and other risk modifiers are not part of SCORE2; they can move a patient close to a threshold into the next category.''
END
IF Examination(''Diabetes'') = 1 THEN Result := Result + nl + nl + ''Diabetes: the estimate uses SCORE2''''s diabetes terms only. The ESC diabetes model (SCORE2-Diabetes) also weighs HbA1c, kidney function (eGFR) and age at diagnosis, and diabetes with severe organ damage counts as very high risk.''');
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (1, 'About SCORE2', 3, '{ Guideline: what SCORE2 weighs and where it ends }
nl := #13#10
Result := ''SCORE2 (ESC 2021) estimates the 10-year risk of fatal and non-fatal cardiovascular disease (heart attack, stroke, cardiovascular death) in people aged 40 to 69 without known cardiovascular disease. It weighs age, sex, smoking, systolic blood pressure, total and HDL cholesterol and diabetes, recalibrated to the risk region of the country; the United Kingdom is a low-risk country.'' + nl + nl + ''A value that is not recorded counts at the centre of the model (blood pressure '' + Translate(''Blood pressure'', Const(''Blood pressure'')) + '' mmHg, cholesterol '' + Translate(''Cholesterol'', Const(''Cholesterol'')) + '' mmol/L, HDL '' + Translate(''HDL'', Const(''HDL'')) + '' mmol/L, non-smoker): measure it before relying on the estimate. Former smokers count as never-smokers.'' + nl + nl + ''From 70 the guidelines use SCORE2-OP. For a 5-year period the program extends the same model; SCORE2 itself publishes 10-year risks only.''
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Previous heart disease is recorded. SCORE2 is made for people without cardiovascular disease and does not apply to this patient: the 2021 guidelines count the patient as very high risk, with treatment of every risk factor to the goals of secondary prevention. The estimate shown is not a risk category for this patient.'' + nl + nl + Result');
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (2, 'Mænd', 1, '{ Group button: men are group 0 }
Result := 0');
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (2, 'Kvinder', 1, '{ Group button: women are group 1 }
Result := 1');
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (2, 'Blodtryk', 2, '{ Advice: the measured value, its goal and what reaching the goal means }
nl := #13#10
n := ''Blood pressure''
e := Examination(n)
t := Treatment(n)
IF e <= 0 THEN Result := ''Der er ikke registreret et systolisk blodtryk ved denne undersøgelse. Indtil det er målt, regner beregningen med '' + Translate(n, Const(n)) + '' mmHg, hvilket undervurderer risikoen for de fleste patienter.''
ELSE
BEGIN
  Result := ''Det systoliske blodtryk er '' + Translate(n, e) + '' mmHg.''
  IF (t <= 0) OR (t = e) THEN Result := Result + '' Der er ikke sat et andet mål, så behandlingsberegningen regner med den målte værdi.''
  ELSE
  BEGIN
  Result := Result + '' Når målet på '' + Translate(n, t) + '' mmHg'' + '' nås, og alt andet er uændret, ''
  hr := 2.718281828459045 ^ ((Beta(n) + Coefficient(n, 4) * (Age() - 60)) * (t - e))
  r := ExaminationRisk() / 100
  cut := 1 - hr
  IF (r > 0) AND (r < 1) THEN cut := (r - 1 + (1 - r) ^ hr) / r
  IF (cut < 0.005) AND (cut > -0.005) THEN Result := Result + ''ændrer det næsten ikke den beregnede risiko.''
  ELSE IF cut > 0 THEN Result := Result + ''falder den beregnede risiko med omkring '' + DecToStr(100 * cut, 0) + '' % af den nuværende.''
  ELSE Result := Result + ''stiger den beregnede risiko med omkring '' + DecToStr(-100 * cut, 0) + '' % af den nuværende.''
  END
  Result := Result + '' '' + ''Retningslinjerne fra 2021 sigter først mod under 140 mmHg og derefter, hvis det tåles, mod 120 til 130 mmHg hos personer under 70 år.''
END
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Der er registreret tidligere hjertesygdom: SCORE2 gælder ikke for patienten, og retningslinjerne regner patienten for at have meget høj risiko. Tallene nedenfor viser kun retning og omtrentlig størrelse af hver ændring.'' + nl + nl + Result');
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (2, 'Kolesterol', 2, '{ Advice: the measured value, its goal and what reaching the goal means }
nl := #13#10
n := ''Cholesterol''
e := Examination(n)
t := Treatment(n)
IF e <= 0 THEN Result := ''Der er ikke registreret et totalkolesterol ved denne undersøgelse. Indtil det er målt, regner beregningen med '' + Translate(n, Const(n)) + '' mmol/L.''
ELSE
BEGIN
  Result := ''Totalkolesterol er '' + Translate(n, e) + '' mmol/L.''
  IF (t <= 0) OR (t = e) THEN Result := Result + '' Der er ikke sat et andet mål, så behandlingsberegningen regner med den målte værdi.''
  ELSE
  BEGIN
  Result := Result + '' Når målet på '' + Translate(n, t) + '' mmol/L'' + '' nås, og alt andet er uændret, ''
  hr := 2.718281828459045 ^ ((Beta(n) + Coefficient(n, 4) * (Age() - 60)) * (t - e))
  r := ExaminationRisk() / 100
  cut := 1 - hr
  IF (r > 0) AND (r < 1) THEN cut := (r - 1 + (1 - r) ^ hr) / r
  IF (cut < 0.005) AND (cut > -0.005) THEN Result := Result + ''ændrer det næsten ikke den beregnede risiko.''
  ELSE IF cut > 0 THEN Result := Result + ''falder den beregnede risiko med omkring '' + DecToStr(100 * cut, 0) + '' % af den nuværende.''
  ELSE Result := Result + ''stiger den beregnede risiko med omkring '' + DecToStr(-100 * cut, 0) + '' % af den nuværende.''
  END
  Result := Result + '' '' + ''SCORE2 vægter total- og HDL-kolesterol; retningslinjerne sætter deres lipidmål for LDL-kolesterol, som journalen ikke registrerer, i trin efter risikokategori.''
END
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Der er registreret tidligere hjertesygdom: SCORE2 gælder ikke for patienten, og retningslinjerne regner patienten for at have meget høj risiko. Tallene nedenfor viser kun retning og omtrentlig størrelse af hver ændring.'' + nl + nl + Result');
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (2, 'HDL-kolesterol', 2, '{ Advice: the measured value, its goal and what reaching the goal means }
nl := #13#10
n := ''HDL''
e := Examination(n)
t := Treatment(n)
IF e <= 0 THEN Result := ''Der er ikke registreret et HDL-kolesterol ved denne undersøgelse. Indtil det er målt, regner beregningen med '' + Translate(n, Const(n)) + '' mmol/L.''
ELSE
BEGIN
  Result := ''HDL-kolesterol er '' + Translate(n, e) + '' mmol/L.''
  IF (t <= 0) OR (t = e) THEN Result := Result + '' Der er ikke sat et andet mål, så behandlingsberegningen regner med den målte værdi.''
  ELSE
  BEGIN
  Result := Result + '' Når målet på '' + Translate(n, t) + '' mmol/L'' + '' nås, og alt andet er uændret, ''
  hr := 2.718281828459045 ^ ((Beta(n) + Coefficient(n, 4) * (Age() - 60)) * (t - e))
  r := ExaminationRisk() / 100
  cut := 1 - hr
  IF (r > 0) AND (r < 1) THEN cut := (r - 1 + (1 - r) ^ hr) / r
  IF (cut < 0.005) AND (cut > -0.005) THEN Result := Result + ''ændrer det næsten ikke den beregnede risiko.''
  ELSE IF cut > 0 THEN Result := Result + ''falder den beregnede risiko med omkring '' + DecToStr(100 * cut, 0) + '' % af den nuværende.''
  ELSE Result := Result + ''stiger den beregnede risiko med omkring '' + DecToStr(-100 * cut, 0) + '' % af den nuværende.''
  END
  Result := Result + '' '' + ''HDL-kolesterol er ikke et behandlingsmål i retningslinjerne; det stiger med regelmæssig fysisk aktivitet, vægttab og rygestop.''
END
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Der er registreret tidligere hjertesygdom: SCORE2 gælder ikke for patienten, og retningslinjerne regner patienten for at have meget høj risiko. Tallene nedenfor viser kun retning og omtrentlig størrelse af hver ændring.'' + nl + nl + Result');
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (2, 'Rygning', 2, '{ Advice: current smoking, the goal of stopping and what stopping means }
nl := #13#10
n := ''Smoking''
e := Examination(n)
t := Treatment(n)
IF e < 0 THEN Result := ''Rygning er ikke registreret ved denne undersøgelse; beregningen regner patienten som ikke-ryger.''
ELSE IF e <> 2 THEN Result := ''Patienten ryger ikke nu ('' + Translate(n, e) + ''). SCORE2 tæller kun nuværende rygning: tidligere rygere får samme risiko som personer, der aldrig har røget.''
ELSE
BEGIN
  Result := ''Patienten ryger.''
  IF (t < 0) OR (t = 2) THEN Result := Result + '' Der er ikke sat et mål om rygestop, så behandlingsberegningen regner med fortsat rygning.''
  ELSE
  BEGIN
  Result := Result + '' Ved rygestop (mål: '' + Translate(n, t) + ''), og alt andet uændret, ''
  hr := 2.718281828459045 ^ (-(Beta(n) + Coefficient(n, 4) * (Age() - 60)))
  r := ExaminationRisk() / 100
  cut := 1 - hr
  IF (r > 0) AND (r < 1) THEN cut := (r - 1 + (1 - r) ^ hr) / r
  IF (cut < 0.005) AND (cut > -0.005) THEN Result := Result + ''ændrer det næsten ikke den beregnede risiko.''
  ELSE IF cut > 0 THEN Result := Result + ''falder den beregnede risiko med omkring '' + DecToStr(100 * cut, 0) + '' % af den nuværende.''
  ELSE Result := Result + ''stiger den beregnede risiko med omkring '' + DecToStr(-100 * cut, 0) + '' % af den nuværende.''
  END
  Result := Result + '' '' + ''Rygestop er det enkelte skridt, der virker mest; retningslinjerne anbefaler det til alle, der ryger, med støtte og medicin efter behov.''
END
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Der er registreret tidligere hjertesygdom: SCORE2 gælder ikke for patienten, og retningslinjerne regner patienten for at have meget høj risiko. Tallene nedenfor viser kun retning og omtrentlig størrelse af hver ændring.'' + nl + nl + Result');
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (2, 'Alle mål', 2, '{ Advice: the risk now and with every goal reached }
nl := #13#10
e := ExaminationRisk()
t := TreatmentRisk()
a := Age()
IF (a >= 0) AND ((a < 40) OR (a > 69)) THEN Result := ''SCORE2 er lavet til alderen 40 til 69 år, og i patientens alder rækker programmets tal ud over modellen, så de gives ikke her. Fra 70 år bruger retningslinjerne SCORE2-OP.''
ELSE
BEGIN
Result := ''Beregnet risiko for en dødelig eller ikke-dødelig blodprop i hjertet eller et slagtilfælde inden for '' + DecToStr(Prediction(), 0) + '' år: '' + DecToStr(e, 0) + '' % nu og '' + DecToStr(t, 0) + '' % når alle mål er nået.''
IF e > t THEN Result := Result + '' '' + ''Af 100 patienter som denne ville omkring '' + DecToStr(e - t, 0) + '' færre få en sådan hændelse i perioden, hvis alle mål blev nået.''
END
IF Examination(''Diabetes'') = 1 THEN Result := Result + nl + nl + ''Diabetes: beregningen bruger kun SCORE2''''s led for diabetes. ESC''''s diabetesmodel (SCORE2-Diabetes) vægter også HbA1c, nyrefunktion (eGFR) og alder ved diagnosen, og diabetes med svær organskade regnes for meget høj risiko.''
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Der er registreret tidligere hjertesygdom: SCORE2 gælder ikke for patienten, og retningslinjerne regner patienten for at have meget høj risiko. Tallene nedenfor viser kun retning og omtrentlig størrelse af hver ændring.'' + nl + nl + Result');
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (2, 'Risikokategori (ESC 2021)', 3, '{ Guideline: the risk category of the 2021 guidelines for apparently healthy people }
nl := #13#10
a := Age()
r := ExaminationRisk()
c := 0
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Der er registreret tidligere hjertesygdom. SCORE2 er lavet til personer uden hjerte-kar-sygdom og gælder ikke for patienten: retningslinjerne fra 2021 regner patienten for at have meget høj risiko, med behandling af alle risikofaktorer til målene for sekundær forebyggelse. Den viste beregning er ikke en risikokategori for patienten.''
ELSE IF Prediction() <> 10 THEN Result := ''Retningslinjernes risikokategorier fra 2021 gælder 10-års-risikoen. Vælg en prognoseperiode på 10 år for at placere patienten i en kategori.''
ELSE IF a < 0 THEN Result := ''Der er ikke registreret en fødselsdato, så alderen og dermed risikokategorien kendes ikke.''
ELSE IF (a < 40) OR (a > 69) THEN Result := ''SCORE2 er lavet til alderen 40 til 69 år, så dens kategorier gælder ikke i patientens alder. Fra 70 år bruger retningslinjerne SCORE2-OP med sine egne grænser.''
ELSE
BEGIN
  Result := ''Beregnet 10-års-risiko for dødelig eller ikke-dødelig hjerte-kar-sygdom (SCORE2): omkring '' + DecToStr(r, 0) + '' %.''
  IF a < 50 THEN
  BEGIN
    Result := Result + '' '' + ''For personer under 50 år kalder retningslinjerne fra 2021 en 10-års-risiko under 2,5 % lav til moderat, 2,5 % til under 7,5 % høj og 7,5 % eller mere meget høj.''
    IF r < 2.5 THEN c := 1 ELSE IF r < 7.5 THEN c := 2 ELSE c := 3
  END
  ELSE
  BEGIN
    Result := Result + '' '' + ''For personer på 50 til 69 år kalder retningslinjerne fra 2021 en 10-års-risiko under 5 % lav til moderat, 5 % til under 10 % høj og 10 % eller mere meget høj.''
    IF r < 5 THEN c := 1 ELSE IF r = 5 THEN c := 12 ELSE IF r < 10 THEN c := 2 ELSE IF r = 10 THEN c := 23 ELSE c := 3
  END
  IF c = 1 THEN Result := Result + nl + nl + ''Patienten har lav til moderat risiko. Behandling af risikofaktorerne anbefales generelt ikke; råd om levevis gælder alle.''
  IF c = 12 THEN Result := Result + nl + nl + ''Beregningen ligger på grænsen mellem lav til moderat og høj risiko, som det afrundede tal ikke kan afgøre. Risikomodifikatorer og patientens ønsker afgør, om behandling bør overvejes.''
  IF c = 2 THEN Result := Result + nl + nl + ''Patienten har høj risiko. Behandling af risikofaktorerne bør overvejes under hensyn til den forventede gevinst, risikomodifikatorer, anden sygdom og patientens ønsker.''
  IF c = 23 THEN Result := Result + nl + nl + ''Beregningen ligger på grænsen mellem høj og meget høj risiko. Behandling af risikofaktorerne bør i det mindste overvejes.''
  IF c = 3 THEN Result := Result + nl + nl + ''Patienten har meget høj risiko. Behandling af risikofaktorerne anbefales.''
  Result := Result + nl + nl + ''Arvelighed, overvægt, sociale forhold og andre risikomodifikatorer indgår ikke i SCORE2; de kan flytte en patient tæt på en grænse op i næste kategori.''
END
IF Examination(''Diabetes'') = 1 THEN Result := Result + nl + nl + ''Diabetes: beregningen bruger kun SCORE2''''s led for diabetes. ESC''''s diabetesmodel (SCORE2-Diabetes) vægter også HbA1c, nyrefunktion (eGFR) og alder ved diagnosen, og diabetes med svær organskade regnes for meget høj risiko.''');
INSERT INTO "Compose_P" ("Country id","Name","Type","Expression") VALUES (2, 'Om SCORE2', 3, '{ Guideline: what SCORE2 weighs and where it ends }
nl := #13#10
Result := ''SCORE2 (ESC 2021) beregner 10-års-risikoen for dødelig og ikke-dødelig hjerte-kar-sygdom (blodprop i hjertet, slagtilfælde, hjerte-kar-død) hos personer på 40 til 69 år uden kendt hjerte-kar-sygdom. Modellen vægter alder, køn, rygning, systolisk blodtryk, total- og HDL-kolesterol og diabetes, kalibreret til landets risikoregion; Danmark hører til lavrisikolandene.'' + nl + nl + ''En værdi, der ikke er registreret, tæller med modellens midterværdi (blodtryk '' + Translate(''Blood pressure'', Const(''Blood pressure'')) + '' mmHg, kolesterol '' + Translate(''Cholesterol'', Const(''Cholesterol'')) + '' mmol/L, HDL '' + Translate(''HDL'', Const(''HDL'')) + '' mmol/L, ikke-ryger): mål værdien, før beregningen bruges. Tidligere rygere tæller som aldrig-rygere.'' + nl + nl + ''Fra 70 år bruger retningslinjerne SCORE2-OP. For en periode på 5 år forlænger programmet samme model; SCORE2 offentliggør selv kun 10-års-risici.''
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Der er registreret tidligere hjertesygdom. SCORE2 er lavet til personer uden hjerte-kar-sygdom og gælder ikke for patienten: retningslinjerne fra 2021 regner patienten for at have meget høj risiko, med behandling af alle risikofaktorer til målene for sekundær forebyggelse. Den viste beregning er ikke en risikokategori for patienten.'' + nl + nl + Result');

-- Diabetes variant: every patient has diabetes, so its term is always there.
-- Factors outside SCORE2 add nothing and are marked NotUsedInCalc; Sex chooses the group.
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (1, 1, 1, 1, '{ SCORE2: systolic blood pressure, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''Blood pressure'')
IF x <= 0 THEN x := Examination(''Blood pressure'')
IF x > 0 THEN Result := (Beta(''Blood pressure'') + Coefficient(''Blood pressure'', 4) * (Age() - 60)) * (x - Const(''Blood pressure''))', NULL, 0, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (2, 1, 1, 1, '{ SCORE2: total cholesterol, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''Cholesterol'')
IF x <= 0 THEN x := Examination(''Cholesterol'')
IF x > 0 THEN Result := (Beta(''Cholesterol'') + Coefficient(''Cholesterol'', 4) * (Age() - 60)) * (x - Const(''Cholesterol''))', NULL, 0, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (3, 1, 1, 1, '{ SCORE2: current smoking (2); never and former smokers add nothing }
Result := 0
IF Measure(''Smoking'') = 2 THEN Result := Beta(''Smoking'') + Coefficient(''Smoking'', 4) * (Age() - 60)', NULL, 0, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (4, 0, 1, 1, NULL, NULL, 1, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (5, 1, 1, 1, '{ The model group: men 0, women 1; no term of its own }
Result := 0', NULL, 0, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (6, 1, 1, 1, '{ Not part of SCORE2: entered and shown, adds nothing }
Result := 0', NULL, 1, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (7, 1, 1, 1, '{ SCORE2: every patient of the diabetes model has diabetes }
Result := Beta(''Diabetes'') + Coefficient(''Diabetes'', 4) * (Age() - 60)', NULL, 0, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (8, 0, 1, 1, NULL, NULL, 1, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (9, 1, 1, 1, '{ SCORE2 is for people without cardiovascular disease; adds nothing }
Result := 0', NULL, 1, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (19, 1, 1, 1, '{ SCORE2: HDL cholesterol, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''HDL'')
IF x <= 0 THEN x := Examination(''HDL'')
IF x > 0 THEN Result := (Beta(''HDL'') + Coefficient(''HDL'', 4) * (Age() - 60)) * (x - Const(''HDL''))', NULL, 0, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (33, 1, 1, 1, '{ Not part of SCORE2: entered and shown, adds nothing }
Result := 0', 'Result := Min(Examination(''BMI''), 25)', 1, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (1, 1, 1, 1, '{ SCORE2: systolic blood pressure, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''Blood pressure'')
IF x <= 0 THEN x := Examination(''Blood pressure'')
IF x > 0 THEN Result := (Beta(''Blood pressure'') + Coefficient(''Blood pressure'', 4) * (Age() - 60)) * (x - Const(''Blood pressure''))', NULL, 0, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (2, 1, 1, 1, '{ SCORE2: total cholesterol, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''Cholesterol'')
IF x <= 0 THEN x := Examination(''Cholesterol'')
IF x > 0 THEN Result := (Beta(''Cholesterol'') + Coefficient(''Cholesterol'', 4) * (Age() - 60)) * (x - Const(''Cholesterol''))', NULL, 0, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (3, 1, 1, 1, '{ SCORE2: current smoking (2); never and former smokers add nothing }
Result := 0
IF Measure(''Smoking'') = 2 THEN Result := Beta(''Smoking'') + Coefficient(''Smoking'', 4) * (Age() - 60)', NULL, 0, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (4, 0, 1, 1, NULL, NULL, 1, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (5, 1, 1, 1, '{ The model group: men 0, women 1; no term of its own }
Result := 0', NULL, 0, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (6, 1, 1, 1, '{ Not part of SCORE2: entered and shown, adds nothing }
Result := 0', NULL, 1, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (7, 1, 1, 1, '{ SCORE2: every patient of the diabetes model has diabetes }
Result := Beta(''Diabetes'') + Coefficient(''Diabetes'', 4) * (Age() - 60)', NULL, 0, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (8, 0, 1, 1, NULL, NULL, 1, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (9, 1, 1, 1, '{ SCORE2 is for people without cardiovascular disease; adds nothing }
Result := 0', NULL, 1, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (19, 1, 1, 1, '{ SCORE2: HDL cholesterol, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''HDL'')
IF x <= 0 THEN x := Examination(''HDL'')
IF x > 0 THEN Result := (Beta(''HDL'') + Coefficient(''HDL'', 4) * (Age() - 60)) * (x - Const(''HDL''))', NULL, 0, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (33, 1, 1, 1, '{ Not part of SCORE2: entered and shown, adds nothing }
Result := 0', 'Result := Min(Examination(''BMI''), 25)', 1, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (1, 1, 1, 1, '{ SCORE2: systolic blood pressure, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''Blood pressure'')
IF x <= 0 THEN x := Examination(''Blood pressure'')
IF x > 0 THEN Result := (Beta(''Blood pressure'') + Coefficient(''Blood pressure'', 4) * (Age() - 60)) * (x - Const(''Blood pressure''))', NULL, 0, 3);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (2, 1, 1, 1, '{ SCORE2: total cholesterol, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''Cholesterol'')
IF x <= 0 THEN x := Examination(''Cholesterol'')
IF x > 0 THEN Result := (Beta(''Cholesterol'') + Coefficient(''Cholesterol'', 4) * (Age() - 60)) * (x - Const(''Cholesterol''))', NULL, 0, 3);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (3, 1, 1, 1, '{ SCORE2: current smoking (2); never and former smokers add nothing }
Result := 0
IF Measure(''Smoking'') = 2 THEN Result := Beta(''Smoking'') + Coefficient(''Smoking'', 4) * (Age() - 60)', NULL, 0, 3);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (4, 0, 1, 1, NULL, NULL, 1, 3);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (5, 1, 1, 1, '{ The model group: men 0, women 1; no term of its own }
Result := 0', NULL, 0, 3);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (6, 1, 1, 1, '{ Not part of SCORE2: entered and shown, adds nothing }
Result := 0', NULL, 1, 3);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (7, 1, 1, 1, '{ SCORE2: every patient of the diabetes model has diabetes }
Result := Beta(''Diabetes'') + Coefficient(''Diabetes'', 4) * (Age() - 60)', NULL, 0, 3);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (8, 0, 1, 1, NULL, NULL, 1, 3);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (9, 1, 1, 1, '{ SCORE2 is for people without cardiovascular disease; adds nothing }
Result := 0', NULL, 1, 3);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (19, 1, 1, 1, '{ SCORE2: HDL cholesterol, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''HDL'')
IF x <= 0 THEN x := Examination(''HDL'')
IF x > 0 THEN Result := (Beta(''HDL'') + Coefficient(''HDL'', 4) * (Age() - 60)) * (x - Const(''HDL''))', NULL, 0, 3);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (33, 1, 1, 1, '{ Not part of SCORE2: entered and shown, adds nothing }
Result := 0', 'Result := Min(Examination(''BMI''), 25)', 1, 3);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (1, 1, 1, 1, '{ SCORE2: systolic blood pressure, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''Blood pressure'')
IF x <= 0 THEN x := Examination(''Blood pressure'')
IF x > 0 THEN Result := (Beta(''Blood pressure'') + Coefficient(''Blood pressure'', 4) * (Age() - 60)) * (x - Const(''Blood pressure''))', NULL, 0, 4);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (2, 1, 1, 1, '{ SCORE2: total cholesterol, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''Cholesterol'')
IF x <= 0 THEN x := Examination(''Cholesterol'')
IF x > 0 THEN Result := (Beta(''Cholesterol'') + Coefficient(''Cholesterol'', 4) * (Age() - 60)) * (x - Const(''Cholesterol''))', NULL, 0, 4);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (3, 1, 1, 1, '{ SCORE2: current smoking (2); never and former smokers add nothing }
Result := 0
IF Measure(''Smoking'') = 2 THEN Result := Beta(''Smoking'') + Coefficient(''Smoking'', 4) * (Age() - 60)', NULL, 0, 4);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (4, 0, 1, 1, NULL, NULL, 1, 4);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (5, 1, 1, 1, '{ The model group: men 0, women 1; no term of its own }
Result := 0', NULL, 0, 4);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (6, 1, 1, 1, '{ Not part of SCORE2: entered and shown, adds nothing }
Result := 0', NULL, 1, 4);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (7, 1, 1, 1, '{ SCORE2: every patient of the diabetes model has diabetes }
Result := Beta(''Diabetes'') + Coefficient(''Diabetes'', 4) * (Age() - 60)', NULL, 0, 4);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (8, 0, 1, 1, NULL, NULL, 1, 4);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (9, 1, 1, 1, '{ SCORE2 is for people without cardiovascular disease; adds nothing }
Result := 0', NULL, 1, 4);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (19, 1, 1, 1, '{ SCORE2: HDL cholesterol, centred at Const, with its age interaction per year from 60 }
Result := 0
x := Measure(''HDL'')
IF x <= 0 THEN x := Examination(''HDL'')
IF x > 0 THEN Result := (Beta(''HDL'') + Coefficient(''HDL'', 4) * (Age() - 60)) * (x - Const(''HDL''))', NULL, 0, 4);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (33, 1, 1, 1, '{ Not part of SCORE2: entered and shown, adds nothing }
Result := 0', 'Result := Min(Examination(''BMI''), 25)', 1, 4);

-- Coefficients: kind 1 Beta, 2 Const, 3 Inter, 4 the change of Beta per year of age from 60;
-- Beta already carries the region's scale2. Men's row first, then women's.
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 1, 0.010380426000000002, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 1, 0.0109882445, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 2, 120, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 2, 120, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 3, 0, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 3, 0, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 4, -0.000190638, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 4, -0.00019442629999999998, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 1, 0.10900008000000001, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 1, 0.07033038, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 2, 6, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 2, 6, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 3, 0, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 3, 0, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 4, -0.004201512, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 4, -0.0031725879999999996, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 1, 0.44945712, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 1, 0.5435513599999999, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 3, 0, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 3, 0, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 4, -0.01128876, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 4, -0.015273344, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (7, 1, 0.48272532000000007, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (7, 1, 0.5682582399999999, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (7, 4, -0.014697815999999999, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (7, 4, -0.017856336, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 1, -0.40340496, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 1, -0.36583028, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 2, 1.3, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 2, 1.3, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 3, 0, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 3, 0, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 4, 0.012739104000000001, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 4, 0.017210588, 1);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 1, 0.011120496499999999, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 1, 0.0120559155, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 2, 120, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 2, 120, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 3, 0, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 3, 0, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 4, -0.00020422949999999998, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 4, -0.0002133177, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 1, 0.11677122000000001, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 1, 0.07716402, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 2, 6, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 2, 6, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 3, 0, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 3, 0, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 4, -0.004501058, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 4, -0.0034808519999999996, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 1, 0.4815010799999999, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 1, 0.59636544, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 3, 0, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 3, 0, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 4, -0.012093589999999998, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 4, -0.016757375999999997, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (7, 1, 0.5171411300000001, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (7, 1, 0.62347296, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (7, 4, -0.015745693999999998, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (7, 4, -0.019591344000000004, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 1, -0.43216563999999996, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 1, -0.40137612, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 2, 1.3, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 2, 1.3, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 3, 0, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 3, 0, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 4, 0.013647336, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 4, 0.018882852, 2);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 1, 0.012996360000000002, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 1, 0.014667169499999999, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 2, 120, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 2, 120, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 3, 0, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 3, 0, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 4, -0.00023868, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 4, -0.00025952129999999996, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 1, 0.13646880000000003, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 1, 0.09387738, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 2, 6, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 2, 6, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 3, 0, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 3, 0, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 4, -0.005260320000000001, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 4, -0.004234788, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 1, 0.5627232, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 1, 0.72553536, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 3, 0, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 3, 0, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 4, -0.014133600000000001, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 4, -0.020386943999999997, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (7, 1, 0.6043752000000001, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (7, 1, 0.75851424, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (7, 4, -0.01840176, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (7, 4, -0.023834736000000002, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 1, -0.5050656, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 1, -0.48831228, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 2, 1.3, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 2, 1.3, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 3, 0, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 3, 0, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 4, 0.015949440000000002, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 4, 0.022972788, 3);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 1, 0.011516219000000001, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 1, 0.0130390495, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 2, 120, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 2, 120, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 3, 0, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 3, 0, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 4, -0.000211497, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (1, 4, -0.00023071329999999998, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 1, 0.12092652000000001, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 1, 0.08345657999999999, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 2, 6, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 2, 6, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 3, 0, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 3, 0, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 4, -0.004661228, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (2, 4, -0.003764708, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 1, 0.49863527999999996, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 1, 0.64499776, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 3, 0, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 3, 0, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 4, -0.01252394, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (3, 4, -0.018123904, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (7, 1, 0.53554358, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (7, 1, 0.67431584, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (7, 4, -0.016306004, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (7, 4, -0.021188976, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 1, -0.44754424, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 1, -0.43410748, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 2, 1.3, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 2, 1.3, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 3, 0, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 3, 0, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 4, 0.014132976, 4);
INSERT INTO "Values_D" ("Risk id","Type","Value","CalcID") VALUES (19, 4, 0.020422708, 4);

-- Baseline survival: the region's age term and constant as a Gompertz curve, ages 40 to 79.
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 40, 0.977916630383447, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 41, 0.9766607814217396, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 42, 0.9753344189762965, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 43, 0.9739336904151769, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 44, 0.9724545452047971, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 45, 0.9708927262522704, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 46, 0.9692437610571877, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 47, 0.9675029526955057, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 48, 0.9656653706629995, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 49, 0.963725841611132, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 50, 0.9616789400142487, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 51, 0.9595189788137853, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 52, 0.9572400000927458, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 53, 0.9548357658421341, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 54, 0.9522997488903859, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 55, 0.9496251240772074, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 56, 0.9468047597646833, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 57, 0.9438312097911169, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 58, 0.9406967059869235, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 59, 0.9373931513870452, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 60, 0.9339121142909134, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 61, 0.9302448233389661, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 62, 0.9263821637942372, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 63, 0.9223146752385727, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 64, 0.9180325509156569, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 65, 0.9135256389772253, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 66, 0.9087834459145947, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 67, 0.9037951424848909, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 68, 0.898549572469985, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 69, 0.8930352646360331, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 70, 0.8872404482924012, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 71, 0.8811530728803796, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 72, 0.8747608320540485, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 73, 0.8680511927474777, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 74, 0.8610114297534993, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 75, 0.8536286663688623, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 76, 0.845889921687724, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 77, 0.8377821651490998, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 78, 0.8292923789627553, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 79, 0.8204076290506094, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 40, 0.9901789338236544, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 41, 0.9895202360794708, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 42, 0.9888176095407217, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 43, 0.9880681593402226, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 44, 0.9872688046818997, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 45, 0.9864162675767186, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 46, 0.9855070609925688, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 47, 0.9845374764019356, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 48, 0.9835035707131746, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 49, 0.9824011525737175, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 50, 0.9812257680366562, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 51, 0.9799726855859723, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 52, 0.9786368805203017, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 53, 0.9772130187006683, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 54, 0.9756954396742132, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 55, 0.9740781391937396, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 56, 0.9723547511620371, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 57, 0.9705185290406332, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 58, 0.9685623267750355, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 59, 0.9664785793028869, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 60, 0.9642592827280063, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 61, 0.9618959742622674, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 62, 0.9593797120589754, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 63, 0.956701055086113, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 64, 0.953850043215873, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 65, 0.9508161777386008, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 66, 0.9475884025449893, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 67, 0.9441550862604466, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 68, 0.9405040056603702, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 69, 0.9366223307449488, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 70, 0.9324966119074253, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 71, 0.9281127696907945, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 72, 0.9234560876949487, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 73, 0.9185112092694974, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 74, 0.9132621387069985, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 75, 0.9076922477370801, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 76, 0.9017842882137311, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 77, 0.895520411985444, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 78, 0.8888821990402281, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 79, 0.8818506951237187, 1);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 40, 0.9762941024535121, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 41, 0.9748483055284574, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 42, 0.9733155421001375, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 43, 0.9716907343682522, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 44, 0.9699685275377175, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 45, 0.9681432772210009, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 46, 0.9662090366065615, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 47, 0.9641595434424246, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 48, 0.9619882068939155, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 49, 0.9596880943458842, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 50, 0.9572519182324741, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 51, 0.9546720229917829, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 52, 0.9519403722587598, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 53, 0.9490485364275347, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 54, 0.9459876807342327, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 55, 0.9427485540333509, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 56, 0.9393214784651077, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 57, 0.9356963402379718, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 58, 0.9318625817799833, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 59, 0.9278091955446066, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 60, 0.9235247197918124, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 61, 0.91899723670295, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 62, 0.914214373228763, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 63, 0.909163305113602, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 64, 0.9038307645854117, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 65, 0.8982030522502228, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 66, 0.8922660537813983, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 67, 0.8860052620473274, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 68, 0.8794058053760819, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 69, 0.8724524827109635, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 70, 0.8651298064659079, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 71, 0.8574220539431078, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 72, 0.8493133282254359, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 73, 0.840787629501368, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 74, 0.8318289378178344, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 75, 0.8224213082840058, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 76, 0.8125489797631963, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 77, 0.8021964980870375, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 78, 0.7913488548014602, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 79, 0.7799916424027912, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 40, 0.9910151643328889, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 41, 0.9903515976186759, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 42, 0.9896392804775437, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 43, 0.9888746707679444, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 44, 0.9880539750421817, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 45, 0.9871731316534126, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 46, 0.9862277928738985, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 47, 0.9852133059905913, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 48, 0.984124693347385, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 49, 0.9829566313076642, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 50, 0.9817034281163254, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 51, 0.9803590006474385, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 52, 0.9789168500324199, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 53, 0.9773700361742436, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 54, 0.9757111511661813, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 55, 0.9739322916491417, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 56, 0.9720250301603042, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 57, 0.9699803855478368, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 58, 0.9677887925525455, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 59, 0.9654400706878727, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 60, 0.9629233925853481, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 61, 0.9602272520140407, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 62, 0.9573394318304971, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 63, 0.9542469721708333, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 64, 0.9509361392599046, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 65, 0.9473923952846621, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 66, 0.9436003698608244, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 67, 0.9395438337147392, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 68, 0.9352056753066974, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 69, 0.9305678812388349, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 70, 0.925611521420901, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 71, 0.9203167401112079, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 72, 0.9146627541084482, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 73, 0.9086278595428795, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 74, 0.9021894489023854, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 75, 0.8953240401292837, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 76, 0.8880073198359764, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 77, 0.8802142029092013, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 78, 0.8719189110002342, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 79, 0.8630950726269828, 2);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 40, 0.9835770186580299, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 41, 0.9823958824953896, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 42, 0.9811306170986118, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 43, 0.9797753526178592, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 44, 0.9783238280341818, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 45, 0.9767693678771041, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 46, 0.9751048579909971, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 47, 0.9733227203855753, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 48, 0.9714148872225954, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 49, 0.9693727740105824, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 50, 0.9671872521025743, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 51, 0.9648486206189074, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 52, 0.962346577948472, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 53, 0.9596701930181814, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 54, 0.9568078765622118, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 55, 0.953747352670517, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 56, 0.9504756309508602, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 57, 0.9469789797008463, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 58, 0.9432429005569027, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 59, 0.9392521051665659, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 60, 0.9349904945195242, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 61, 0.9304411416723105, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 62, 0.925586278711954, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 63, 0.9204072889257856, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 64, 0.9148847052782791, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 65, 0.90899821644138, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 66, 0.9027266817820205, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 67, 0.8960481568787628, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 68, 0.8889399313175598, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 69, 0.8813785807025767, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 70, 0.8733400350090844, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 71, 0.864799665597793, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 72, 0.8557323933984516, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 73, 0.846112820948424, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 74, 0.8359153911306227, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 75, 0.8251145755839784, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 76, 0.8136850958452438, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 77, 0.8016021803074181, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 78, 0.7888418600282243, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 79, 0.7753813062694334, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 40, 0.9935983401520989, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 41, 0.993017830753268, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 42, 0.9923848821601378, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 43, 0.9916947957501585, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 44, 0.9909424591916547, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 45, 0.9901223114083203, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 46, 0.9892283048447416, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 47, 0.9882538648781422, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 48, 0.9871918462240634, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 49, 0.9860344861893894, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 50, 0.9847733546358199, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 51, 0.9833993005315066, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 52, 0.9819023949892427, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 53, 0.980271870717648, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 54, 0.9784960578487766, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 55, 0.976562316153325, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 56, 0.9744569637152484, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 57, 0.9721652022135611, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 58, 0.9696710390532416, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 59, 0.9669572067027138, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 60, 0.9640050797360284, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 61, 0.9607945902477664, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 62, 0.9573041425124741, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 63, 0.953510528003246, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 64, 0.9493888421714749, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 65, 0.944912404727795, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 66, 0.9400526855591279, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 67, 0.9347792388749362, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 68, 0.9290596487035707, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 69, 0.9228594894627756, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 70, 0.916142306011785, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 71, 0.9088696183591237, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 72, 0.9010009570507423, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 73, 0.892493936194235, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 74, 0.8833043720781008, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 75, 0.8733864564046867, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 76, 0.8626929942465024, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 77, 0.8511757179207221, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 78, 0.8387856890031328, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 79, 0.8254738015985477, 3);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 40, 0.9589006084973769, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 41, 0.9563269364667719, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 42, 0.9535960333280262, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 43, 0.9506988081398888, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 44, 0.9476257121202863, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 45, 0.9443667247747339, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 46, 0.9409113409831472, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 47, 0.9372485593124242, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 48, 0.9333668718592204, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 49, 0.9292542559680488, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 50, 0.9248981682143576, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 51, 0.9202855410906929, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 52, 0.9154027828865229, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 53, 0.9102357813087592, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 54, 0.904769911450398, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 55, 0.89899004877877, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 56, 0.8928805878823077, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 57, 0.8864254677849421, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 58, 0.8796082047094829, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 59, 0.8724119332445718, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 60, 0.8648194569426745, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 61, 0.85681330944737, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 62, 0.8483758273147105, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 63, 0.8394892357530005, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 64, 0.830135748554674, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 65, 0.8202976835291277, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 66, 0.8099575947616993, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 67, 0.7990984230159928, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 68, 0.7877036655580815, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 69, 0.7757575666044871, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 70, 0.763245329473011, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 71, 0.7501533513373209, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 72, 0.7364694812426179, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 73, 0.7221833017199425, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 74, 0.7072864339293347, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 75, 0.6917728657555733, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 76, 0.6756393016631078, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 77, 0.6588855323784559, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 78, 0.6415148215996247, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (0, 79, 0.6235343059264297, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 40, 0.9803152637059543, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 41, 0.9787475447282612, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 42, 0.9770564379989111, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 43, 0.975232476725636, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 44, 0.9732655086286415, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 45, 0.9711446532075843, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 46, 0.9688582575556972, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 47, 0.9663938509119115, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 48, 0.9637380982024197, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 49, 0.9608767528945819, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 50, 0.9577946095699099, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 51, 0.9544754567206896, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 52, 0.9509020303883691, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 53, 0.9470559693930177, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 54, 0.9429177730538835, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 55, 0.9384667624733258, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 56, 0.9336810466521576, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 57, 0.928537494925542, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 58, 0.9230117174567448, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 59, 0.9170780558025274, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 60, 0.9107095858695776, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 61, 0.9038781359160926, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 62, 0.8965543226153811, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 63, 0.8887076085866182, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 64, 0.8803063852072184, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 65, 0.8713180849448534, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 66, 0.8617093278749204, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 67, 0.8514461074674938, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 68, 0.8404940211179345, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 69, 0.8288185512332175, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 70, 0.8163854029408222, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 71, 0.8031609046200713, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 72, 0.7891124774196803, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 73, 0.7742091796628074, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 74, 0.7584223314844791, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 75, 0.7417262241176198, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 76, 0.7240989168545253, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 77, 0.7055231227631498, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 78, 0.6859871816286359, 4);
INSERT INTO "Baseline_D" ("Group","Age","Value","CalcID") VALUES (1, 79, 0.6654861152154208, 4);

-- Composed texts: 1 group buttons, 2 personal advice, 3 guideline texts.
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (1, 'Men', 1, '{ Group button: men are group 0 }
Result := 0');
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (1, 'Women', 1, '{ Group button: women are group 1 }
Result := 1');
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (1, 'Blood pressure', 2, '{ Advice: the measured value, its goal and what reaching the goal means }
nl := #13#10
n := ''Blood pressure''
e := Examination(n)
t := Treatment(n)
IF e <= 0 THEN Result := ''No systolic blood pressure is recorded at this examination. Until it is measured, the estimate counts it as '' + Translate(n, Const(n)) + '' mmHg, which understates the risk of most patients.''
ELSE
BEGIN
  Result := ''Systolic blood pressure is '' + Translate(n, e) + '' mmHg.''
  IF (t <= 0) OR (t = e) THEN Result := Result + '' No other goal is set, so the treatment estimate keeps the measured value.''
  ELSE
  BEGIN
  Result := Result + '' Reaching the goal of '' + Translate(n, t) + '' mmHg'' + '', with everything else unchanged, ''
  hr := 2.718281828459045 ^ ((Beta(n) + Coefficient(n, 4) * (Age() - 60)) * (t - e))
  r := ExaminationRisk() / 100
  cut := 1 - hr
  IF (r > 0) AND (r < 1) THEN cut := (r - 1 + (1 - r) ^ hr) / r
  IF (cut < 0.005) AND (cut > -0.005) THEN Result := Result + ''hardly changes the estimated risk.''
  ELSE IF cut > 0 THEN Result := Result + ''lowers the estimated risk by about '' + DecToStr(100 * cut, 0) + '' % of its present value.''
  ELSE Result := Result + ''raises the estimated risk by about '' + DecToStr(-100 * cut, 0) + '' % of its present value.''
  END
  Result := Result + '' '' + ''The 2021 guidelines aim first at below 140 mmHg and then, if tolerated, at 120 to 130 mmHg for people under 70.''
END
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Previous heart disease is recorded: SCORE2 does not apply to this patient, and the guidelines count the patient as very high risk. The figures below only show the direction and rough size of each change.'' + nl + nl + Result');
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (1, 'Cholesterol', 2, '{ Advice: the measured value, its goal and what reaching the goal means }
nl := #13#10
n := ''Cholesterol''
e := Examination(n)
t := Treatment(n)
IF e <= 0 THEN Result := ''No total cholesterol is recorded at this examination. Until it is measured, the estimate counts it as '' + Translate(n, Const(n)) + '' mmol/L.''
ELSE
BEGIN
  Result := ''Total cholesterol is '' + Translate(n, e) + '' mmol/L.''
  IF (t <= 0) OR (t = e) THEN Result := Result + '' No other goal is set, so the treatment estimate keeps the measured value.''
  ELSE
  BEGIN
  Result := Result + '' Reaching the goal of '' + Translate(n, t) + '' mmol/L'' + '', with everything else unchanged, ''
  hr := 2.718281828459045 ^ ((Beta(n) + Coefficient(n, 4) * (Age() - 60)) * (t - e))
  r := ExaminationRisk() / 100
  cut := 1 - hr
  IF (r > 0) AND (r < 1) THEN cut := (r - 1 + (1 - r) ^ hr) / r
  IF (cut < 0.005) AND (cut > -0.005) THEN Result := Result + ''hardly changes the estimated risk.''
  ELSE IF cut > 0 THEN Result := Result + ''lowers the estimated risk by about '' + DecToStr(100 * cut, 0) + '' % of its present value.''
  ELSE Result := Result + ''raises the estimated risk by about '' + DecToStr(-100 * cut, 0) + '' % of its present value.''
  END
  Result := Result + '' '' + ''SCORE2 weighs total and HDL cholesterol; the guidelines set their lipid goals for LDL cholesterol, which this journal does not record, in steps by risk category.''
END
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Previous heart disease is recorded: SCORE2 does not apply to this patient, and the guidelines count the patient as very high risk. The figures below only show the direction and rough size of each change.'' + nl + nl + Result');
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (1, 'HDL cholesterol', 2, '{ Advice: the measured value, its goal and what reaching the goal means }
nl := #13#10
n := ''HDL''
e := Examination(n)
t := Treatment(n)
IF e <= 0 THEN Result := ''No HDL cholesterol is recorded at this examination. Until it is measured, the estimate counts it as '' + Translate(n, Const(n)) + '' mmol/L.''
ELSE
BEGIN
  Result := ''HDL cholesterol is '' + Translate(n, e) + '' mmol/L.''
  IF (t <= 0) OR (t = e) THEN Result := Result + '' No other goal is set, so the treatment estimate keeps the measured value.''
  ELSE
  BEGIN
  Result := Result + '' Reaching the goal of '' + Translate(n, t) + '' mmol/L'' + '', with everything else unchanged, ''
  hr := 2.718281828459045 ^ ((Beta(n) + Coefficient(n, 4) * (Age() - 60)) * (t - e))
  r := ExaminationRisk() / 100
  cut := 1 - hr
  IF (r > 0) AND (r < 1) THEN cut := (r - 1 + (1 - r) ^ hr) / r
  IF (cut < 0.005) AND (cut > -0.005) THEN Result := Result + ''hardly changes the estimated risk.''
  ELSE IF cut > 0 THEN Result := Result + ''lowers the estimated risk by about '' + DecToStr(100 * cut, 0) + '' % of its present value.''
  ELSE Result := Result + ''raises the estimated risk by about '' + DecToStr(-100 * cut, 0) + '' % of its present value.''
  END
  Result := Result + '' '' + ''HDL cholesterol is not a treatment target in the guidelines; it rises with regular physical activity, weight loss and stopping smoking.''
END
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Previous heart disease is recorded: SCORE2 does not apply to this patient, and the guidelines count the patient as very high risk. The figures below only show the direction and rough size of each change.'' + nl + nl + Result');
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (1, 'Smoking', 2, '{ Advice: current smoking, the goal of stopping and what stopping means }
nl := #13#10
n := ''Smoking''
e := Examination(n)
t := Treatment(n)
IF e < 0 THEN Result := ''Smoking is not recorded at this examination; the estimate counts the patient as a non-smoker.''
ELSE IF e <> 2 THEN Result := ''The patient does not smoke now ('' + Translate(n, e) + ''). SCORE2 counts only current smoking: former smokers get the risk of people who never smoked.''
ELSE
BEGIN
  Result := ''The patient smokes.''
  IF (t < 0) OR (t = 2) THEN Result := Result + '' No goal of stopping is set, so the treatment estimate assumes the patient goes on smoking.''
  ELSE
  BEGIN
  Result := Result + '' Stopping (goal: '' + Translate(n, t) + ''), with everything else unchanged, ''
  hr := 2.718281828459045 ^ (-(Beta(n) + Coefficient(n, 4) * (Age() - 60)))
  r := ExaminationRisk() / 100
  cut := 1 - hr
  IF (r > 0) AND (r < 1) THEN cut := (r - 1 + (1 - r) ^ hr) / r
  IF (cut < 0.005) AND (cut > -0.005) THEN Result := Result + ''hardly changes the estimated risk.''
  ELSE IF cut > 0 THEN Result := Result + ''lowers the estimated risk by about '' + DecToStr(100 * cut, 0) + '' % of its present value.''
  ELSE Result := Result + ''raises the estimated risk by about '' + DecToStr(-100 * cut, 0) + '' % of its present value.''
  END
  Result := Result + '' '' + ''Stopping smoking is the most effective single step; the guidelines recommend it for everyone who smokes, with support and medication where needed.''
END
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Previous heart disease is recorded: SCORE2 does not apply to this patient, and the guidelines count the patient as very high risk. The figures below only show the direction and rough size of each change.'' + nl + nl + Result');
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (1, 'All goals', 2, '{ Advice: the risk now and with every goal reached }
nl := #13#10
e := ExaminationRisk()
t := TreatmentRisk()
a := Age()
IF (a >= 0) AND ((a < 40) OR (a > 69)) THEN Result := ''SCORE2 is made for ages 40 to 69, and at this age the program''''s figures go beyond the model, so they are not given here. From 70 the guidelines use SCORE2-OP.''
ELSE
BEGIN
Result := ''Estimated risk of a fatal or non-fatal heart attack or stroke within '' + DecToStr(Prediction(), 0) + '' years: '' + DecToStr(e, 0) + '' % now, '' + DecToStr(t, 0) + '' % with every goal reached.''
IF e > t THEN Result := Result + '' '' + ''Of 100 patients like this one, about '' + DecToStr(e - t, 0) + '' fewer would have such an event in that time if every goal were reached.''
END
Result := Result + nl + nl + ''Diabetes: the estimate uses SCORE2''''s diabetes terms only. The ESC diabetes model (SCORE2-Diabetes) also weighs HbA1c, kidney function (eGFR) and age at diagnosis, and diabetes with severe organ damage counts as very high risk.''
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Previous heart disease is recorded: SCORE2 does not apply to this patient, and the guidelines count the patient as very high risk. The figures below only show the direction and rough size of each change.'' + nl + nl + Result');
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (1, 'Risk category (ESC 2021)', 3, '{ Guideline: the risk category of the 2021 guidelines for apparently healthy people }
nl := #13#10
a := Age()
r := ExaminationRisk()
c := 0
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Previous heart disease is recorded. SCORE2 is made for people without cardiovascular disease and does not apply to this patient: the 2021 guidelines count the patient as very high risk, with treatment of every risk factor to the goals of secondary prevention. The estimate shown is not a risk category for this patient.''
ELSE IF Prediction() <> 10 THEN Result := ''The risk categories of the 2021 guidelines are set for the 10-year risk. Choose a prediction period of 10 years to place the patient in a category.''
ELSE IF a < 0 THEN Result := ''No birth date is recorded, so the age and with it the risk category are unknown.''
ELSE IF (a < 40) OR (a > 69) THEN Result := ''SCORE2 is made for ages 40 to 69, so its categories do not apply at this age. From 70 the guidelines use SCORE2-OP, with thresholds of its own.''
ELSE
BEGIN
  Result := ''Estimated 10-year risk of fatal or non-fatal cardiovascular disease (SCORE2): about '' + DecToStr(r, 0) + '' %.''
  IF a < 50 THEN
  BEGIN
    Result := Result + '' '' + ''For people under 50 the 2021 guidelines call a 10-year risk under 2.5 % low to moderate, 2.5 % to under 7.5 % high and 7.5 % or more very high.''
    IF r < 2.5 THEN c := 1 ELSE IF r < 7.5 THEN c := 2 ELSE c := 3
  END
  ELSE
  BEGIN
    Result := Result + '' '' + ''For people aged 50 to 69 the 2021 guidelines call a 10-year risk under 5 % low to moderate, 5 % to under 10 % high and 10 % or more very high.''
    IF r < 5 THEN c := 1 ELSE IF r = 5 THEN c := 12 ELSE IF r < 10 THEN c := 2 ELSE IF r = 10 THEN c := 23 ELSE c := 3
  END
  IF c = 1 THEN Result := Result + nl + nl + ''The patient is at low to moderate risk. Treatment of the risk factors is generally not recommended; lifestyle advice applies to everyone.''
  IF c = 12 THEN Result := Result + nl + nl + ''The estimate lies at the border between low to moderate and high risk, which the rounded figure cannot settle. Risk modifiers and the patient''''s wishes decide whether treatment should be considered.''
  IF c = 2 THEN Result := Result + nl + nl + ''The patient is at high risk. Treatment of the risk factors should be considered, weighing the expected benefit, risk modifiers, other illness and the patient''''s wishes.''
  IF c = 23 THEN Result := Result + nl + nl + ''The estimate lies at the border between high and very high risk. Treatment of the risk factors should at least be considered.''
  IF c = 3 THEN Result := Result + nl + nl + ''The patient is at very high risk. Treatment of the risk factors is recommended.''
  Result := Result + nl + nl + ''Family history, obesity, social deprivation and other risk modifiers are not part of SCORE2; they can move a patient close to a threshold into the next category.''
END
Result := Result + nl + nl + ''Diabetes: the estimate uses SCORE2''''s diabetes terms only. The ESC diabetes model (SCORE2-Diabetes) also weighs HbA1c, kidney function (eGFR) and age at diagnosis, and diabetes with severe organ damage counts as very high risk.''');
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (1, 'About SCORE2', 3, '{ Guideline: what SCORE2 weighs and where it ends }
nl := #13#10
Result := ''SCORE2 (ESC 2021) estimates the 10-year risk of fatal and non-fatal cardiovascular disease (heart attack, stroke, cardiovascular death) in people aged 40 to 69 without known cardiovascular disease. It weighs age, sex, smoking, systolic blood pressure, total and HDL cholesterol and diabetes, recalibrated to the risk region of the country; the United Kingdom is a low-risk country.'' + nl + nl + ''A value that is not recorded counts at the centre of the model (blood pressure '' + Translate(''Blood pressure'', Const(''Blood pressure'')) + '' mmHg, cholesterol '' + Translate(''Cholesterol'', Const(''Cholesterol'')) + '' mmol/L, HDL '' + Translate(''HDL'', Const(''HDL'')) + '' mmol/L, non-smoker): measure it before relying on the estimate. Former smokers count as never-smokers.'' + nl + nl + ''From 70 the guidelines use SCORE2-OP. For a 5-year period the program extends the same model; SCORE2 itself publishes 10-year risks only.''
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Previous heart disease is recorded. SCORE2 is made for people without cardiovascular disease and does not apply to this patient: the 2021 guidelines count the patient as very high risk, with treatment of every risk factor to the goals of secondary prevention. The estimate shown is not a risk category for this patient.'' + nl + nl + Result');
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (2, 'Mænd', 1, '{ Group button: men are group 0 }
Result := 0');
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (2, 'Kvinder', 1, '{ Group button: women are group 1 }
Result := 1');
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (2, 'Blodtryk', 2, '{ Advice: the measured value, its goal and what reaching the goal means }
nl := #13#10
n := ''Blood pressure''
e := Examination(n)
t := Treatment(n)
IF e <= 0 THEN Result := ''Der er ikke registreret et systolisk blodtryk ved denne undersøgelse. Indtil det er målt, regner beregningen med '' + Translate(n, Const(n)) + '' mmHg, hvilket undervurderer risikoen for de fleste patienter.''
ELSE
BEGIN
  Result := ''Det systoliske blodtryk er '' + Translate(n, e) + '' mmHg.''
  IF (t <= 0) OR (t = e) THEN Result := Result + '' Der er ikke sat et andet mål, så behandlingsberegningen regner med den målte værdi.''
  ELSE
  BEGIN
  Result := Result + '' Når målet på '' + Translate(n, t) + '' mmHg'' + '' nås, og alt andet er uændret, ''
  hr := 2.718281828459045 ^ ((Beta(n) + Coefficient(n, 4) * (Age() - 60)) * (t - e))
  r := ExaminationRisk() / 100
  cut := 1 - hr
  IF (r > 0) AND (r < 1) THEN cut := (r - 1 + (1 - r) ^ hr) / r
  IF (cut < 0.005) AND (cut > -0.005) THEN Result := Result + ''ændrer det næsten ikke den beregnede risiko.''
  ELSE IF cut > 0 THEN Result := Result + ''falder den beregnede risiko med omkring '' + DecToStr(100 * cut, 0) + '' % af den nuværende.''
  ELSE Result := Result + ''stiger den beregnede risiko med omkring '' + DecToStr(-100 * cut, 0) + '' % af den nuværende.''
  END
  Result := Result + '' '' + ''Retningslinjerne fra 2021 sigter først mod under 140 mmHg og derefter, hvis det tåles, mod 120 til 130 mmHg hos personer under 70 år.''
END
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Der er registreret tidligere hjertesygdom: SCORE2 gælder ikke for patienten, og retningslinjerne regner patienten for at have meget høj risiko. Tallene nedenfor viser kun retning og omtrentlig størrelse af hver ændring.'' + nl + nl + Result');
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (2, 'Kolesterol', 2, '{ Advice: the measured value, its goal and what reaching the goal means }
nl := #13#10
n := ''Cholesterol''
e := Examination(n)
t := Treatment(n)
IF e <= 0 THEN Result := ''Der er ikke registreret et totalkolesterol ved denne undersøgelse. Indtil det er målt, regner beregningen med '' + Translate(n, Const(n)) + '' mmol/L.''
ELSE
BEGIN
  Result := ''Totalkolesterol er '' + Translate(n, e) + '' mmol/L.''
  IF (t <= 0) OR (t = e) THEN Result := Result + '' Der er ikke sat et andet mål, så behandlingsberegningen regner med den målte værdi.''
  ELSE
  BEGIN
  Result := Result + '' Når målet på '' + Translate(n, t) + '' mmol/L'' + '' nås, og alt andet er uændret, ''
  hr := 2.718281828459045 ^ ((Beta(n) + Coefficient(n, 4) * (Age() - 60)) * (t - e))
  r := ExaminationRisk() / 100
  cut := 1 - hr
  IF (r > 0) AND (r < 1) THEN cut := (r - 1 + (1 - r) ^ hr) / r
  IF (cut < 0.005) AND (cut > -0.005) THEN Result := Result + ''ændrer det næsten ikke den beregnede risiko.''
  ELSE IF cut > 0 THEN Result := Result + ''falder den beregnede risiko med omkring '' + DecToStr(100 * cut, 0) + '' % af den nuværende.''
  ELSE Result := Result + ''stiger den beregnede risiko med omkring '' + DecToStr(-100 * cut, 0) + '' % af den nuværende.''
  END
  Result := Result + '' '' + ''SCORE2 vægter total- og HDL-kolesterol; retningslinjerne sætter deres lipidmål for LDL-kolesterol, som journalen ikke registrerer, i trin efter risikokategori.''
END
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Der er registreret tidligere hjertesygdom: SCORE2 gælder ikke for patienten, og retningslinjerne regner patienten for at have meget høj risiko. Tallene nedenfor viser kun retning og omtrentlig størrelse af hver ændring.'' + nl + nl + Result');
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (2, 'HDL-kolesterol', 2, '{ Advice: the measured value, its goal and what reaching the goal means }
nl := #13#10
n := ''HDL''
e := Examination(n)
t := Treatment(n)
IF e <= 0 THEN Result := ''Der er ikke registreret et HDL-kolesterol ved denne undersøgelse. Indtil det er målt, regner beregningen med '' + Translate(n, Const(n)) + '' mmol/L.''
ELSE
BEGIN
  Result := ''HDL-kolesterol er '' + Translate(n, e) + '' mmol/L.''
  IF (t <= 0) OR (t = e) THEN Result := Result + '' Der er ikke sat et andet mål, så behandlingsberegningen regner med den målte værdi.''
  ELSE
  BEGIN
  Result := Result + '' Når målet på '' + Translate(n, t) + '' mmol/L'' + '' nås, og alt andet er uændret, ''
  hr := 2.718281828459045 ^ ((Beta(n) + Coefficient(n, 4) * (Age() - 60)) * (t - e))
  r := ExaminationRisk() / 100
  cut := 1 - hr
  IF (r > 0) AND (r < 1) THEN cut := (r - 1 + (1 - r) ^ hr) / r
  IF (cut < 0.005) AND (cut > -0.005) THEN Result := Result + ''ændrer det næsten ikke den beregnede risiko.''
  ELSE IF cut > 0 THEN Result := Result + ''falder den beregnede risiko med omkring '' + DecToStr(100 * cut, 0) + '' % af den nuværende.''
  ELSE Result := Result + ''stiger den beregnede risiko med omkring '' + DecToStr(-100 * cut, 0) + '' % af den nuværende.''
  END
  Result := Result + '' '' + ''HDL-kolesterol er ikke et behandlingsmål i retningslinjerne; det stiger med regelmæssig fysisk aktivitet, vægttab og rygestop.''
END
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Der er registreret tidligere hjertesygdom: SCORE2 gælder ikke for patienten, og retningslinjerne regner patienten for at have meget høj risiko. Tallene nedenfor viser kun retning og omtrentlig størrelse af hver ændring.'' + nl + nl + Result');
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (2, 'Rygning', 2, '{ Advice: current smoking, the goal of stopping and what stopping means }
nl := #13#10
n := ''Smoking''
e := Examination(n)
t := Treatment(n)
IF e < 0 THEN Result := ''Rygning er ikke registreret ved denne undersøgelse; beregningen regner patienten som ikke-ryger.''
ELSE IF e <> 2 THEN Result := ''Patienten ryger ikke nu ('' + Translate(n, e) + ''). SCORE2 tæller kun nuværende rygning: tidligere rygere får samme risiko som personer, der aldrig har røget.''
ELSE
BEGIN
  Result := ''Patienten ryger.''
  IF (t < 0) OR (t = 2) THEN Result := Result + '' Der er ikke sat et mål om rygestop, så behandlingsberegningen regner med fortsat rygning.''
  ELSE
  BEGIN
  Result := Result + '' Ved rygestop (mål: '' + Translate(n, t) + ''), og alt andet uændret, ''
  hr := 2.718281828459045 ^ (-(Beta(n) + Coefficient(n, 4) * (Age() - 60)))
  r := ExaminationRisk() / 100
  cut := 1 - hr
  IF (r > 0) AND (r < 1) THEN cut := (r - 1 + (1 - r) ^ hr) / r
  IF (cut < 0.005) AND (cut > -0.005) THEN Result := Result + ''ændrer det næsten ikke den beregnede risiko.''
  ELSE IF cut > 0 THEN Result := Result + ''falder den beregnede risiko med omkring '' + DecToStr(100 * cut, 0) + '' % af den nuværende.''
  ELSE Result := Result + ''stiger den beregnede risiko med omkring '' + DecToStr(-100 * cut, 0) + '' % af den nuværende.''
  END
  Result := Result + '' '' + ''Rygestop er det enkelte skridt, der virker mest; retningslinjerne anbefaler det til alle, der ryger, med støtte og medicin efter behov.''
END
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Der er registreret tidligere hjertesygdom: SCORE2 gælder ikke for patienten, og retningslinjerne regner patienten for at have meget høj risiko. Tallene nedenfor viser kun retning og omtrentlig størrelse af hver ændring.'' + nl + nl + Result');
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (2, 'Alle mål', 2, '{ Advice: the risk now and with every goal reached }
nl := #13#10
e := ExaminationRisk()
t := TreatmentRisk()
a := Age()
IF (a >= 0) AND ((a < 40) OR (a > 69)) THEN Result := ''SCORE2 er lavet til alderen 40 til 69 år, og i patientens alder rækker programmets tal ud over modellen, så de gives ikke her. Fra 70 år bruger retningslinjerne SCORE2-OP.''
ELSE
BEGIN
Result := ''Beregnet risiko for en dødelig eller ikke-dødelig blodprop i hjertet eller et slagtilfælde inden for '' + DecToStr(Prediction(), 0) + '' år: '' + DecToStr(e, 0) + '' % nu og '' + DecToStr(t, 0) + '' % når alle mål er nået.''
IF e > t THEN Result := Result + '' '' + ''Af 100 patienter som denne ville omkring '' + DecToStr(e - t, 0) + '' færre få en sådan hændelse i perioden, hvis alle mål blev nået.''
END
Result := Result + nl + nl + ''Diabetes: beregningen bruger kun SCORE2''''s led for diabetes. ESC''''s diabetesmodel (SCORE2-Diabetes) vægter også HbA1c, nyrefunktion (eGFR) og alder ved diagnosen, og diabetes med svær organskade regnes for meget høj risiko.''
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Der er registreret tidligere hjertesygdom: SCORE2 gælder ikke for patienten, og retningslinjerne regner patienten for at have meget høj risiko. Tallene nedenfor viser kun retning og omtrentlig størrelse af hver ændring.'' + nl + nl + Result');
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (2, 'Risikokategori (ESC 2021)', 3, '{ Guideline: the risk category of the 2021 guidelines for apparently healthy people }
nl := #13#10
a := Age()
r := ExaminationRisk()
c := 0
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Der er registreret tidligere hjertesygdom. SCORE2 er lavet til personer uden hjerte-kar-sygdom og gælder ikke for patienten: retningslinjerne fra 2021 regner patienten for at have meget høj risiko, med behandling af alle risikofaktorer til målene for sekundær forebyggelse. Den viste beregning er ikke en risikokategori for patienten.''
ELSE IF Prediction() <> 10 THEN Result := ''Retningslinjernes risikokategorier fra 2021 gælder 10-års-risikoen. Vælg en prognoseperiode på 10 år for at placere patienten i en kategori.''
ELSE IF a < 0 THEN Result := ''Der er ikke registreret en fødselsdato, så alderen og dermed risikokategorien kendes ikke.''
ELSE IF (a < 40) OR (a > 69) THEN Result := ''SCORE2 er lavet til alderen 40 til 69 år, så dens kategorier gælder ikke i patientens alder. Fra 70 år bruger retningslinjerne SCORE2-OP med sine egne grænser.''
ELSE
BEGIN
  Result := ''Beregnet 10-års-risiko for dødelig eller ikke-dødelig hjerte-kar-sygdom (SCORE2): omkring '' + DecToStr(r, 0) + '' %.''
  IF a < 50 THEN
  BEGIN
    Result := Result + '' '' + ''For personer under 50 år kalder retningslinjerne fra 2021 en 10-års-risiko under 2,5 % lav til moderat, 2,5 % til under 7,5 % høj og 7,5 % eller mere meget høj.''
    IF r < 2.5 THEN c := 1 ELSE IF r < 7.5 THEN c := 2 ELSE c := 3
  END
  ELSE
  BEGIN
    Result := Result + '' '' + ''For personer på 50 til 69 år kalder retningslinjerne fra 2021 en 10-års-risiko under 5 % lav til moderat, 5 % til under 10 % høj og 10 % eller mere meget høj.''
    IF r < 5 THEN c := 1 ELSE IF r = 5 THEN c := 12 ELSE IF r < 10 THEN c := 2 ELSE IF r = 10 THEN c := 23 ELSE c := 3
  END
  IF c = 1 THEN Result := Result + nl + nl + ''Patienten har lav til moderat risiko. Behandling af risikofaktorerne anbefales generelt ikke; råd om levevis gælder alle.''
  IF c = 12 THEN Result := Result + nl + nl + ''Beregningen ligger på grænsen mellem lav til moderat og høj risiko, som det afrundede tal ikke kan afgøre. Risikomodifikatorer og patientens ønsker afgør, om behandling bør overvejes.''
  IF c = 2 THEN Result := Result + nl + nl + ''Patienten har høj risiko. Behandling af risikofaktorerne bør overvejes under hensyn til den forventede gevinst, risikomodifikatorer, anden sygdom og patientens ønsker.''
  IF c = 23 THEN Result := Result + nl + nl + ''Beregningen ligger på grænsen mellem høj og meget høj risiko. Behandling af risikofaktorerne bør i det mindste overvejes.''
  IF c = 3 THEN Result := Result + nl + nl + ''Patienten har meget høj risiko. Behandling af risikofaktorerne anbefales.''
  Result := Result + nl + nl + ''Arvelighed, overvægt, sociale forhold og andre risikomodifikatorer indgår ikke i SCORE2; de kan flytte en patient tæt på en grænse op i næste kategori.''
END
Result := Result + nl + nl + ''Diabetes: beregningen bruger kun SCORE2''''s led for diabetes. ESC''''s diabetesmodel (SCORE2-Diabetes) vægter også HbA1c, nyrefunktion (eGFR) og alder ved diagnosen, og diabetes med svær organskade regnes for meget høj risiko.''');
INSERT INTO "Compose_D" ("Country id","Name","Type","Expression") VALUES (2, 'Om SCORE2', 3, '{ Guideline: what SCORE2 weighs and where it ends }
nl := #13#10
Result := ''SCORE2 (ESC 2021) beregner 10-års-risikoen for dødelig og ikke-dødelig hjerte-kar-sygdom (blodprop i hjertet, slagtilfælde, hjerte-kar-død) hos personer på 40 til 69 år uden kendt hjerte-kar-sygdom. Modellen vægter alder, køn, rygning, systolisk blodtryk, total- og HDL-kolesterol og diabetes, kalibreret til landets risikoregion; Danmark hører til lavrisikolandene.'' + nl + nl + ''En værdi, der ikke er registreret, tæller med modellens midterværdi (blodtryk '' + Translate(''Blood pressure'', Const(''Blood pressure'')) + '' mmHg, kolesterol '' + Translate(''Cholesterol'', Const(''Cholesterol'')) + '' mmol/L, HDL '' + Translate(''HDL'', Const(''HDL'')) + '' mmol/L, ikke-ryger): mål værdien, før beregningen bruges. Tidligere rygere tæller som aldrig-rygere.'' + nl + nl + ''Fra 70 år bruger retningslinjerne SCORE2-OP. For en periode på 5 år forlænger programmet samme model; SCORE2 offentliggør selv kun 10-års-risici.''
IF Examination(''Previous heart disease'') = 1 THEN Result := ''Der er registreret tidligere hjertesygdom. SCORE2 er lavet til personer uden hjerte-kar-sygdom og gælder ikke for patienten: retningslinjerne fra 2021 regner patienten for at have meget høj risiko, med behandling af alle risikofaktorer til målene for sekundær forebyggelse. Den viste beregning er ikke en risikokategori for patienten.'' + nl + nl + Result');

-- <<< End of the rows generated by tools/score2.

-- The identity is the birth date as ddmmyy followed by the sequence id; it must be ten digits
-- naming a day that exists (29 February only in years divisible by four) and a sequence above 0.
INSERT INTO "ID" ("Name","Expression","Pattern") VALUES ('DateSequence', '{ Identity: ddmmyy and a sequence of four digits }
Result := FALSE
s := GetIdentity()
IF StrLength(s) = 10 THEN
  IF IsNum(s) THEN
  BEGIN
    d := StrToNum(StrCopy(s, 1, 2))
    m := StrToNum(StrCopy(s, 3, 2))
    y := StrToNum(StrCopy(s, 5, 2))
    n := StrToNum(StrCopy(s, 7, 4))
    last := 31
    IF (m = 4) OR (m = 6) OR (m = 9) OR (m = 11) THEN last := 30
    IF m = 2 THEN
      IF y MOD 4 = 0 THEN last := 29 ELSE last := 28
    Result := (d >= 1) AND (d <= last) AND (m >= 1) AND (m <= 12) AND (n >= 1)
  END', '000000-0000;0;_');

-- Countries, ordered as offered by name. The UK numbers sequence ids itself; Denmark types them.
-- Both are low-risk countries of SCORE2 (model 1).
INSERT INTO "Country" ("Country id","Name","BirthDateFormat","PatientIdValidation","PatientIdAutoNumber","PredictionYears","Separator name","ISOLanguage","CalcID","Program title","Splash title","Print title","SplashMessage","AboutMessage","ScaleFactor","HelpFile","Enabled") VALUES (1, 'United Kingdom', 'dd-mm-yy', 'DateSequence', 1, 10, '.', 'en/gb', 1, 'Tavlo - Cardiovascular risk', 'Tavlo', 'Cardiovascular risk profile', 'Cardiovascular risk estimation for general practice', 'Brovik', 10, NULL, 1);
INSERT INTO "Country" ("Country id","Name","BirthDateFormat","PatientIdValidation","PatientIdAutoNumber","PredictionYears","Separator name","ISOLanguage","CalcID","Program title","Splash title","Print title","SplashMessage","AboutMessage","ScaleFactor","HelpFile","Enabled") VALUES (2, 'Danmark', 'dd-mm-yy', 'DateSequence', 0, 10, ',', 'da/dk', 1, 'Tavlo - Hjerte-kar-risiko', 'Tavlo', 'Hjerte-kar-risikoprofil', 'Vurdering af hjerte-kar-risiko i almen praksis', 'Brovik', 10, NULL, 1);

-- United Kingdom: locale names (type 1), kept short because the journal appends the unit to them.
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 1, 1, 'Systolic BP');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 2, 1, 'Cholesterol');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 3, 1, 'Smoking');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 4, 1, 'Weight');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 5, 1, 'Sex');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 6, 1, 'Family history');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 7, 1, 'Diabetes');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 8, 1, 'Height');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 9, 1, 'Prev. heart disease');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 19, 1, 'HDL');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 33, 1, 'BMI');
-- United Kingdom: pick lists (type 2). Every factor has one, so the journal knows its display unit.
-- HDL ends at 3.05 so that 3.0 is reached however the steps of 0.1 add up.
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 1, 2, '(80;250;5)');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 2, 2, '(2;12;0.5)');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 3, 2, '[Never;0],[Former;1],[Current;2]');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 4, 2, '(40;160;1)');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 5, 2, '[Male;0],[Female;1]');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 6, 2, '[No;0],[Yes;1]');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 7, 2, '[No;0],[Yes;1]');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 8, 2, '(140;210;1)');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 9, 2, '[No;0],[Yes;1]');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 19, 2, '(0.5;3.05;0.1)');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 33, 2, '(15;45;0.5)');
-- United Kingdom: display units (type 3), the units of the conversion rules.
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 1, 3, 'mmHg');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 2, 3, 'mmol/L');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 4, 3, 'kg');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 8, 3, 'cm');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 19, 3, 'mmol/L');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 33, 3, 'kg/m²');

-- Danmark: locale names (type 1).
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 1, 1, 'Blodtryk');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 2, 1, 'Kolesterol');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 3, 1, 'Rygning');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 4, 1, 'Vægt');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 5, 1, 'Køn');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 6, 1, 'Arvelighed');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 7, 1, 'Diabetes');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 8, 1, 'Højde');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 9, 1, 'Tidl. hjertesygdom');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 19, 1, 'HDL');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 33, 1, 'BMI');
-- Danmark: pick lists (type 2); numbers in definitions are always written with a point.
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 1, 2, '(80;250;5)');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 2, 2, '(2;12;0.5)');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 3, 2, '[Aldrig;0],[Tidligere;1],[''Nuværende'';2]');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 4, 2, '(40;160;1)');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 5, 2, '[Mand;0],[Kvinde;1]');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 6, 2, '[Nej;0],[Ja;1]');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 7, 2, '[Nej;0],[Ja;1]');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 8, 2, '(140;210;1)');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 9, 2, '[Nej;0],[Ja;1]');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 19, 2, '(0.5;3.05;0.1)');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 33, 2, '(15;45;0.5)');
-- Danmark: display units (type 3).
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 1, 3, 'mmHg');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 2, 3, 'mmol/L');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 4, 3, 'kg');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 8, 3, 'cm');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 19, 3, 'mmol/L');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (2, 33, 3, 'kg/m²');

-- Risk bands of the bar chart (upper end in percent); the last band must reach 100. They follow
-- the 2021 categories for ages 50 to 69 (under 5 %, 5 to 10 %, 10 % and more); a band's Max is
-- a whole percent and the band holds its upper end, so a risk of exactly 5 % still shows green.
INSERT INTO "Colors" ("Country id","Max","Text","Color") VALUES (1, 5, 'Low to moderate risk', 32768);
INSERT INTO "Colors" ("Country id","Max","Text","Color") VALUES (1, 10, 'High risk', 33023);
INSERT INTO "Colors" ("Country id","Max","Text","Color") VALUES (1, 100, 'Very high risk', 255);
INSERT INTO "Colors" ("Country id","Max","Text","Color") VALUES (2, 5, 'Lav til moderat risiko', 32768);
INSERT INTO "Colors" ("Country id","Max","Text","Color") VALUES (2, 10, 'Høj risiko', 33023);
INSERT INTO "Colors" ("Country id","Max","Text","Color") VALUES (2, 100, 'Meget høj risiko', 255);

-- Unit rules: a plain number is a factor used both ways (To = From x factor); a formula works one
-- way only, from X to Result. Length is written as a formula pair to keep 2.54 exact both ways.
INSERT INTO "UNITCNV" ("Category","FromUnit","ToUnit","Expression") VALUES ('Cholesterol', 'mmol/L', 'mg/dL', '38.67');
INSERT INTO "UNITCNV" ("Category","FromUnit","ToUnit","Expression") VALUES ('Pressure', 'mmHg', 'kPa', '0.133322');
INSERT INTO "UNITCNV" ("Category","FromUnit","ToUnit","Expression") VALUES ('Mass', 'kg', 'lb', '2.20462262');
INSERT INTO "UNITCNV" ("Category","FromUnit","ToUnit","Expression") VALUES ('Length', 'cm', 'inch', 'Result := X / 2.54');
INSERT INTO "UNITCNV" ("Category","FromUnit","ToUnit","Expression") VALUES ('Length', 'inch', 'cm', 'Result := X * 2.54');

-- Patient exchange file: an internal, enciphered flex file in the DOS code page.
INSERT INTO "EXCHANGE" ("Format","Category","Class","Scheme","Date format","Extension","Description","Enabled","OEM","Encrypted","Internal") VALUES ('Patient', 'PATIENT', 'TBvFlexFile', 'PATIENT', 'yyyymmdd', 'vtq', 'Patients with base values, examinations and treatment', 1, 1, 1, 1);

-- Record layouts of the patient file. Every record type keeps "Record type" at position 1, and
-- each layout runs from position 1 without gaps. Numbers carry 4 implied decimals.
-- 0: standard header
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', '0', 1, 'Record type', 'A', 1, 1, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', '0', 2, 'File id', 'A', 2, 3, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', '0', 3, 'Version', 'N', 5, 5, 2);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', '0', 4, 'Scheme', 'A', 10, 10, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', '0', 5, 'Source', 'A', 20, 10, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', '0', 6, 'Producer', 'A', 30, 10, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', '0', 7, 'Date', 'D', 40, 8, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', '0', 8, 'Time', 'A', 48, 6, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', '0', 9, 'Count', 'N', 54, 8, 0);
-- 1: patient count
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', '1', 1, 'Record type', 'A', 1, 1, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', '1', 2, 'Password', 'A', 2, 10, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', '1', 3, 'Total count', 'N', 12, 8, 0);
-- B: base value, by risk name
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'B', 1, 'Record type', 'A', 1, 1, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'B', 2, 'Name', 'A', 2, 50, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'B', 3, 'Examination', 'N', 52, 12, 4);
-- E: examination value and goal, by risk name
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'E', 1, 'Record type', 'A', 1, 1, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'E', 2, 'Name', 'A', 2, 50, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'E', 3, 'Examination', 'N', 52, 12, 4);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'E', 4, 'Treatment', 'N', 64, 12, 4);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'E', 5, 'Transferred', 'L', 76, 1, 0);
-- J: examination
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'J', 1, 'Record type', 'A', 1, 1, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'J', 2, 'Date', 'D', 2, 8, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'J', 3, 'Doctor', 'A', 10, 50, 0);
-- M: continuation records of the examination note
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'M', 1, 'Record type', 'A', 1, 1, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'M', 2, 'Memo', 'A', 2, 79, 0);
-- P: patient, keyed by birth date and sequence id
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'P', 1, 'Record type', 'A', 1, 1, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'P', 2, 'Birth date', 'D', 2, 8, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'P', 3, 'Sequence id', 'A', 10, 4, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'P', 4, 'First name', 'A', 14, 30, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'P', 5, 'Last name', 'A', 44, 30, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'P', 6, 'Test', 'L', 74, 1, 0);
-- T: treatment item ticked for the examination, by group, item name and dose
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'T', 1, 'Record type', 'A', 1, 1, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'T', 2, 'GroupName', 'A', 2, 25, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'T', 3, 'ItemName', 'A', 27, 25, 0);
INSERT INTO "SCHEME" ("Scheme","Record type","Field number","Field name","Field type","Position","Length","Decimals") VALUES ('PATIENT', 'T', 4, 'Dose', 'N', 52, 12, 4);

-- Item groups: 1 is the caption of the group list and 2 the list of the examination's ticked
-- items; both are reserved and cannot be deleted.
INSERT INTO "ItemGroup" ("ID","Name") VALUES (1, 'Drug group');
INSERT INTO "ItemGroup" ("ID","Name") VALUES (2, 'Prescribed');
INSERT INTO "ItemGroup" ("ID","Name") VALUES (3, 'ACE inhibitors');
INSERT INTO "ItemGroup" ("ID","Name") VALUES (4, 'Angiotensin II blockers');
INSERT INTO "ItemGroup" ("ID","Name") VALUES (5, 'Beta blockers');
INSERT INTO "ItemGroup" ("ID","Name") VALUES (6, 'Calcium antagonists');
INSERT INTO "ItemGroup" ("ID","Name") VALUES (7, 'Diuretics');
INSERT INTO "ItemGroup" ("ID","Name") VALUES (8, 'Statins');
INSERT INTO "ItemGroup" ("ID","Name") VALUES (9, 'Antiplatelets');
INSERT INTO "ItemGroup" ("ID","Name") VALUES (10, 'Antidiabetics');
INSERT INTO "ItemGroup" ("ID","Name") VALUES (11, 'Smoking cessation');

-- Items with their dose in mg (0: no dose shown). Item 1 is the caption of the item list.
INSERT INTO "Item" ("ID","Name","Dose") VALUES (1, 'Drug', NULL);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (2, 'Ramipril', 2.5);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (3, 'Ramipril', 5);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (4, 'Ramipril', 10);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (5, 'Enalapril', 10);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (6, 'Enalapril', 20);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (7, 'Lisinopril', 10);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (8, 'Lisinopril', 20);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (9, 'Losartan', 50);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (10, 'Losartan', 100);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (11, 'Candesartan', 8);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (12, 'Candesartan', 16);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (13, 'Metoprolol', 50);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (14, 'Metoprolol', 100);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (15, 'Bisoprolol', 5);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (16, 'Bisoprolol', 10);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (17, 'Atenolol', 50);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (18, 'Amlodipine', 5);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (19, 'Amlodipine', 10);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (20, 'Felodipine', 5);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (21, 'Felodipine', 10);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (22, 'Bendroflumethiazide', 2.5);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (23, 'Hydrochlorothiazide', 25);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (24, 'Indapamide', 2.5);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (25, 'Furosemide', 40);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (26, 'Simvastatin', 20);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (27, 'Simvastatin', 40);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (28, 'Atorvastatin', 10);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (29, 'Atorvastatin', 20);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (30, 'Atorvastatin', 40);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (31, 'Atorvastatin', 80);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (32, 'Pravastatin', 40);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (33, 'Rosuvastatin', 10);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (34, 'Acetylsalicylic acid', 75);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (35, 'Clopidogrel', 75);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (36, 'Metformin', 500);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (37, 'Metformin', 1000);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (38, 'Gliclazide', 80);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (39, 'Insulin', 0);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (40, 'Nicotine replacement', 0);
INSERT INTO "Item" ("ID","Name","Dose") VALUES (41, 'Varenicline', 1);

-- Catalogue (JournalID 1): which items each group offers. Group 2 has none: it shows the ticks.
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 3, 2);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 3, 3);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 3, 4);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 3, 5);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 3, 6);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 3, 7);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 3, 8);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 4, 9);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 4, 10);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 4, 11);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 4, 12);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 5, 13);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 5, 14);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 5, 15);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 5, 16);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 5, 17);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 6, 18);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 6, 19);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 6, 20);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 6, 21);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 7, 22);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 7, 23);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 7, 24);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 7, 25);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 8, 26);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 8, 27);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 8, 28);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 8, 29);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 8, 30);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 8, 31);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 8, 32);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 8, 33);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 9, 34);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 9, 35);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 10, 36);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 10, 37);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 10, 38);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 10, 39);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 11, 40);
INSERT INTO "ItemLink" ("JournalID","GroupID","ItemID") VALUES (1, 11, 41);

PRAGMA user_version = 1;

COMMIT;
