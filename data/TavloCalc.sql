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

-- Two calculation models; each country picks one through its CalcID.
INSERT INTO "CalcModel" ("CalcID","Description") VALUES (1, 'General population model');
INSERT INTO "CalcModel" ("CalcID","Description") VALUES (2, 'Danish population model');

-- Baseline groups: the coefficient row at position g belongs to group g.
INSERT INTO "Group_P" ("Group","Name") VALUES (0, 'Men');
INSERT INTO "Group_P" ("Group","Name") VALUES (1, 'Women');
INSERT INTO "Group_D" ("Group","Name") VALUES (0, 'Men');
INSERT INTO "Group_D" ("Group","Name") VALUES (1, 'Women');

-- Risk factors with the fixed ids the program names in code (7 diabetes, 4/8/33 for BMI).
-- Group 1 examination value, 2 base value; Type 1 measured number, 2 chosen from a pick list.
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (1, 'Blood pressure', 0, 1, 1, 255, '130', 0, NULL, NULL, NULL, 70, 250, 'Pressure', 'mmHg');
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (2, 'Cholesterol', 0, 1, 1, 16711680, '5', 1, NULL, NULL, NULL, 1, 20, 'Cholesterol', 'mmol/L');
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (3, 'Smoking', 0, 1, 2, 8421504, '0', 0, NULL, NULL, NULL, 0, 2, NULL, NULL);
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (4, 'Weight', 0, 1, 1, 32896, '75', 0, 'BMI', NULL, NULL, 20, 250, 'Mass', 'kg');
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (6, 'Family history', 0, 2, 2, 8388736, '0', 0, NULL, NULL, NULL, 0, 1, NULL, NULL);
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (7, 'Diabetes', 0, 2, 2, 8421376, '0', 0, NULL, NULL, NULL, 0, 1, NULL, NULL);
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (8, 'Height', 0, 2, 1, 8388608, '170', 0, 'BMI', NULL, NULL, 100, 230, 'Length', 'cm');
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (9, 'Previous heart disease', 0, 2, 2, 128, '0', 0, NULL, NULL, NULL, 0, 1, NULL, NULL);
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (19, 'HDL', 0, 1, 1, 65280, '1.5', 1, NULL, NULL, NULL, 0.2, 5, 'Cholesterol', 'mmol/L');
-- BMI has no unit category: it is computed and never converted.
INSERT INTO "Risks" ("Risk id","Name","Obsolete","Group","Type","Color","Default","Decimals","Dependent","Expression","Adjust","Min","Max","UnitCategory","UnitName") VALUES (33, 'BMI', 0, 1, 1, 16711935, '25', 1, NULL, NULL, NULL, 10, 70, NULL, 'kg/m²');

-- Non-diabetes variant, both models. Every active factor must have a formula that compiles and
-- yields a number; Calc gives 0 until the model's coefficients are loaded. Weight and height only
-- feed BMI. BMI's goal follows the BMI computed from weight and height, at most 25.
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (1, 1, 1, 1, 'Result := Calc(''Blood pressure'')', NULL, 0, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (2, 1, 1, 1, 'Result := Calc(''Cholesterol'')', NULL, 0, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (3, 1, 1, 1, 'Result := Calc(''Smoking'')', NULL, 0, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (4, 0, 1, 1, NULL, NULL, 0, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (6, 1, 1, 1, 'Result := Calc(''Family history'')', NULL, 0, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (7, 1, 1, 1, 'Result := Calc(''Diabetes'')', NULL, 0, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (8, 0, 1, 1, NULL, NULL, 0, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (9, 1, 1, 1, 'Result := Calc(''Previous heart disease'')', NULL, 0, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (19, 1, 1, 1, 'Result := Calc(''HDL'')', NULL, 0, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (33, 1, 1, 1, 'Result := Calc(''BMI'')', 'Result := Min(Examination(''BMI''), 25)', 0, 1);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (1, 1, 1, 1, 'Result := Calc(''Blood pressure'')', NULL, 0, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (2, 1, 1, 1, 'Result := Calc(''Cholesterol'')', NULL, 0, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (3, 1, 1, 1, 'Result := Calc(''Smoking'')', NULL, 0, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (4, 0, 1, 1, NULL, NULL, 0, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (6, 1, 1, 1, 'Result := Calc(''Family history'')', NULL, 0, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (7, 1, 1, 1, 'Result := Calc(''Diabetes'')', NULL, 0, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (8, 0, 1, 1, NULL, NULL, 0, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (9, 1, 1, 1, 'Result := Calc(''Previous heart disease'')', NULL, 0, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (19, 1, 1, 1, 'Result := Calc(''HDL'')', NULL, 0, 2);
INSERT INTO "Risks_P" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (33, 1, 1, 1, 'Result := Calc(''BMI'')', 'Result := Min(Examination(''BMI''), 25)', 0, 2);

-- Diabetes variant, both models: every patient of this variant is diabetic, so diabetes is shown
-- (the combined edition switches on it) but takes no part and is not reported as unused.
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (1, 1, 1, 1, 'Result := Calc(''Blood pressure'')', NULL, 0, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (2, 1, 1, 1, 'Result := Calc(''Cholesterol'')', NULL, 0, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (3, 1, 1, 1, 'Result := Calc(''Smoking'')', NULL, 0, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (4, 0, 1, 1, NULL, NULL, 0, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (6, 1, 1, 1, 'Result := Calc(''Family history'')', NULL, 0, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (7, 0, 1, 1, NULL, NULL, 0, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (8, 0, 1, 1, NULL, NULL, 0, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (9, 1, 1, 1, 'Result := Calc(''Previous heart disease'')', NULL, 0, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (19, 1, 1, 1, 'Result := Calc(''HDL'')', NULL, 0, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (33, 1, 1, 1, 'Result := Calc(''BMI'')', 'Result := Min(Examination(''BMI''), 25)', 0, 1);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (1, 1, 1, 1, 'Result := Calc(''Blood pressure'')', NULL, 0, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (2, 1, 1, 1, 'Result := Calc(''Cholesterol'')', NULL, 0, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (3, 1, 1, 1, 'Result := Calc(''Smoking'')', NULL, 0, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (4, 0, 1, 1, NULL, NULL, 0, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (6, 1, 1, 1, 'Result := Calc(''Family history'')', NULL, 0, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (7, 0, 1, 1, NULL, NULL, 0, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (8, 0, 1, 1, NULL, NULL, 0, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (9, 1, 1, 1, 'Result := Calc(''Previous heart disease'')', NULL, 0, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (19, 1, 1, 1, 'Result := Calc(''HDL'')', NULL, 0, 2);
INSERT INTO "Risks_D" ("Risk id","Active","Visible","Enabled","Expression","Adjust","NotUsedInCalc","CalcID") VALUES (33, 1, 1, 1, 'Result := Calc(''BMI'')', 'Result := Min(Examination(''BMI''), 25)', 0, 2);

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
INSERT INTO "Country" ("Country id","Name","BirthDateFormat","PatientIdValidation","PatientIdAutoNumber","PredictionYears","Separator name","ISOLanguage","CalcID","Program title","Splash title","Print title","SplashMessage","AboutMessage","ScaleFactor","HelpFile","Enabled") VALUES (1, 'United Kingdom', 'dd-mm-yy', 'DateSequence', 1, 10, '.', 'en/gb', 1, 'Tavlo - Cardiovascular risk', 'Tavlo', 'Cardiovascular risk profile', 'Cardiovascular risk estimation for general practice', 'Brovik', 10, NULL, 1);
INSERT INTO "Country" ("Country id","Name","BirthDateFormat","PatientIdValidation","PatientIdAutoNumber","PredictionYears","Separator name","ISOLanguage","CalcID","Program title","Splash title","Print title","SplashMessage","AboutMessage","ScaleFactor","HelpFile","Enabled") VALUES (2, 'Danmark', 'dd-mm-yy', 'DateSequence', 0, 10, ',', 'da/dk', 2, 'Tavlo - Hjerte-kar-risiko', 'Tavlo', 'Hjerte-kar-risikoprofil', 'Vurdering af hjerte-kar-risiko i almen praksis', 'Brovik', 10, NULL, 1);

-- United Kingdom: locale names (type 1), kept short because the journal appends the unit to them.
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 1, 1, 'Systolic BP');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 2, 1, 'Cholesterol');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 3, 1, 'Smoking');
INSERT INTO "Names" ("Country id","Risk id","Type","Name") VALUES (1, 4, 1, 'Weight');
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

-- Risk bands of the bar chart (upper end in percent); the last band must reach 100.
INSERT INTO "Colors" ("Country id","Max","Text","Color") VALUES (1, 5, 'Low risk', 32768);
INSERT INTO "Colors" ("Country id","Max","Text","Color") VALUES (1, 10, 'Moderate risk', 65535);
INSERT INTO "Colors" ("Country id","Max","Text","Color") VALUES (1, 20, 'High risk', 33023);
INSERT INTO "Colors" ("Country id","Max","Text","Color") VALUES (1, 100, 'Very high risk', 255);
INSERT INTO "Colors" ("Country id","Max","Text","Color") VALUES (2, 5, 'Lav risiko', 32768);
INSERT INTO "Colors" ("Country id","Max","Text","Color") VALUES (2, 10, 'Moderat risiko', 65535);
INSERT INTO "Colors" ("Country id","Max","Text","Color") VALUES (2, 20, 'Høj risiko', 33023);
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
