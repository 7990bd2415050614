#pragma once
// The composed texts of the SCORE2 models (Compose_P and Compose_D), in
// English for country 1 and Danish for country 2. Every text is a formula
// that reads the patient's values and the last calculation; the wording is
// kept here as plain sentences and the formulas around it are built below,
// so both languages run the same logic.

#include <string>
#include <vector>

namespace Score2 {

struct TWording {
    int CountryId;
    std::string Men, Women;
    std::string BloodPressureName, CholesterolName, HdlName, SmokingName, AllGoalsName, CategoryName, AboutName;
    // shared pieces of the advice texts
    std::string Lowers, Raises, Hardly, OfPresent, NoGoal, GoalBefore, GoalAfter;
    // the factors: missing value (before and after the centre value), value present, guideline
    std::string BpMissing1, BpMissing2, BpPresent, BpGuideline;
    std::string TcMissing1, TcMissing2, TcPresent, TcGuideline;
    std::string HdlMissing1, HdlMissing2, HdlPresent, HdlGuideline;
    std::string SmokeMissing, NotSmoking1, NotSmoking2, Smokes, Stop1, Stop2, NoStopGoal, SmokeGuideline;
    std::string Sum1, Sum2, Sum3, Sum4, Fewer1, Fewer2;
    // the model's reach
    std::string PhdShort, PhdLong, AgeOutside, DiabetesNote;
    std::string Period10, NoAge, CategoryAgeOutside, Estimate1, Estimate2, Under50, Over50;
    std::string Cat1, Cat2, Cat3, Border12, Border23, Modifiers;
    std::string About1, About2, About3, About4, About5, About6;
};

inline const TWording& English() {
    static const TWording w{
        1, "Men", "Women",
        "Blood pressure", "Cholesterol", "HDL cholesterol", "Smoking", "All goals", "Risk category (ESC 2021)",
        "About SCORE2",
        "lowers the estimated risk by about ", "raises the estimated risk by about ", "hardly changes the estimated risk.",
        " % of its present value.", " No other goal is set, so the treatment estimate keeps the measured value.",
        " Reaching the goal of ", ", with everything else unchanged, ",
        "No systolic blood pressure is recorded at this examination. Until it is measured, the estimate counts it as ",
        " mmHg, which understates the risk of most patients.", "Systolic blood pressure is ",
        "The 2021 guidelines aim first at below 140 mmHg and then, if tolerated, at 120 to 130 mmHg for people under 70.",
        "No total cholesterol is recorded at this examination. Until it is measured, the estimate counts it as ",
        " mmol/L.", "Total cholesterol is ",
        "SCORE2 weighs total and HDL cholesterol; the guidelines set their lipid goals for LDL cholesterol, which this "
        "journal does not record, in steps by risk category.",
        "No HDL cholesterol is recorded at this examination. Until it is measured, the estimate counts it as ",
        " mmol/L.", "HDL cholesterol is ",
        "HDL cholesterol is not a treatment target in the guidelines; it rises with regular physical activity, weight "
        "loss and stopping smoking.",
        "Smoking is not recorded at this examination; the estimate counts the patient as a non-smoker.",
        "The patient does not smoke now (",
        "). SCORE2 counts only current smoking: former smokers get the risk of people who never smoked.",
        "The patient smokes.", " Stopping (goal: ", "), with everything else unchanged, ",
        " No goal of stopping is set, so the treatment estimate assumes the patient goes on smoking.",
        "Stopping smoking is the most effective single step; the guidelines recommend it for everyone who smokes, with "
        "support and medication where needed.",
        "Estimated risk of a fatal or non-fatal heart attack or stroke within ", " years: ", " % now, ",
        " % with every goal reached.", "Of 100 patients like this one, about ",
        " fewer would have such an event in that time if every goal were reached.",
        "Previous heart disease is recorded: SCORE2 does not apply to this patient, and the guidelines count the "
        "patient as very high risk. The figures below only show the direction and rough size of each change.",
        "Previous heart disease is recorded. SCORE2 is made for people without cardiovascular disease and does not "
        "apply to this patient: the 2021 guidelines count the patient as very high risk, with treatment of every risk "
        "factor to the goals of secondary prevention. The estimate shown is not a risk category for this patient.",
        "SCORE2 is made for ages 40 to 69, and at this age the program's figures go beyond the model, so they are "
        "not given here. From 70 the guidelines use SCORE2-OP.",
        "Diabetes: the estimate uses SCORE2's diabetes terms only. The ESC diabetes model (SCORE2-Diabetes) also "
        "weighs HbA1c, kidney function (eGFR) and age at diagnosis, and diabetes with severe organ damage counts as "
        "very high risk.",
        "The risk categories of the 2021 guidelines are set for the 10-year risk. Choose a prediction period of 10 "
        "years to place the patient in a category.",
        "No birth date is recorded, so the age and with it the risk category are unknown.",
        "SCORE2 is made for ages 40 to 69, so its categories do not apply at this age. From 70 the guidelines use "
        "SCORE2-OP, with thresholds of its own.",
        "Estimated 10-year risk of fatal or non-fatal cardiovascular disease (SCORE2): about ", " %.",
        "For people under 50 the 2021 guidelines call a 10-year risk under 2.5 % low to moderate, 2.5 % to under "
        "7.5 % high and 7.5 % or more very high.",
        "For people aged 50 to 69 the 2021 guidelines call a 10-year risk under 5 % low to moderate, 5 % to under "
        "10 % high and 10 % or more very high.",
        "The patient is at low to moderate risk. Treatment of the risk factors is generally not recommended; "
        "lifestyle advice applies to everyone.",
        "The patient is at high risk. Treatment of the risk factors should be considered, weighing the expected "
        "benefit, risk modifiers, other illness and the patient's wishes.",
        "The patient is at very high risk. Treatment of the risk factors is recommended.",
        "The estimate lies at the border between low to moderate and high risk, which the rounded figure cannot "
        "settle. Risk modifiers and the patient's wishes decide whether treatment should be considered.",
        "The estimate lies at the border between high and very high risk. Treatment of the risk factors should at "
        "least be considered.",
        "Family history, obesity, social deprivation and other risk modifiers are not part of SCORE2; they can move "
        "a patient close to a threshold into the next category.",
        "SCORE2 (ESC 2021) estimates the 10-year risk of fatal and non-fatal cardiovascular disease (heart attack, "
        "stroke, cardiovascular death) in people aged 40 to 69 without known cardiovascular disease. It weighs age, "
        "sex, smoking, systolic blood pressure, total and HDL cholesterol and diabetes, recalibrated to the risk "
        "region of the country; the United Kingdom is a low-risk country.",
        "A value that is not recorded counts at the centre of the model (blood pressure ", " mmHg, cholesterol ",
        " mmol/L, HDL ", " mmol/L, non-smoker): measure it before relying on the estimate. Former smokers count as "
        "never-smokers.",
        "From 70 the guidelines use SCORE2-OP. For a 5-year period the program extends the same model; SCORE2 itself "
        "publishes 10-year risks only.",
    };
    return w;
}

inline const TWording& Danish() {
    static const TWording w{
        2, "Mænd", "Kvinder",
        "Blodtryk", "Kolesterol", "HDL-kolesterol", "Rygning", "Alle mål", "Risikokategori (ESC 2021)", "Om SCORE2",
        "falder den beregnede risiko med omkring ", "stiger den beregnede risiko med omkring ",
        "ændrer det næsten ikke den beregnede risiko.", " % af den nuværende.",
        " Der er ikke sat et andet mål, så behandlingsberegningen regner med den målte værdi.",
        " Når målet på ", " nås, og alt andet er uændret, ",
        "Der er ikke registreret et systolisk blodtryk ved denne undersøgelse. Indtil det er målt, regner beregningen "
        "med ",
        " mmHg, hvilket undervurderer risikoen for de fleste patienter.", "Det systoliske blodtryk er ",
        "Retningslinjerne fra 2021 sigter først mod under 140 mmHg og derefter, hvis det tåles, mod 120 til 130 mmHg "
        "hos personer under 70 år.",
        "Der er ikke registreret et totalkolesterol ved denne undersøgelse. Indtil det er målt, regner beregningen med ",
        " mmol/L.", "Totalkolesterol er ",
        "SCORE2 vægter total- og HDL-kolesterol; retningslinjerne sætter deres lipidmål for LDL-kolesterol, som "
        "journalen ikke registrerer, i trin efter risikokategori.",
        "Der er ikke registreret et HDL-kolesterol ved denne undersøgelse. Indtil det er målt, regner beregningen med ",
        " mmol/L.", "HDL-kolesterol er ",
        "HDL-kolesterol er ikke et behandlingsmål i retningslinjerne; det stiger med regelmæssig fysisk aktivitet, "
        "vægttab og rygestop.",
        "Rygning er ikke registreret ved denne undersøgelse; beregningen regner patienten som ikke-ryger.",
        "Patienten ryger ikke nu (",
        "). SCORE2 tæller kun nuværende rygning: tidligere rygere får samme risiko som personer, der aldrig har røget.",
        "Patienten ryger.", " Ved rygestop (mål: ", "), og alt andet uændret, ",
        " Der er ikke sat et mål om rygestop, så behandlingsberegningen regner med fortsat rygning.",
        "Rygestop er det enkelte skridt, der virker mest; retningslinjerne anbefaler det til alle, der ryger, med "
        "støtte og medicin efter behov.",
        "Beregnet risiko for en dødelig eller ikke-dødelig blodprop i hjertet eller et slagtilfælde inden for ",
        " år: ", " % nu og ", " % når alle mål er nået.", "Af 100 patienter som denne ville omkring ",
        " færre få en sådan hændelse i perioden, hvis alle mål blev nået.",
        "Der er registreret tidligere hjertesygdom: SCORE2 gælder ikke for patienten, og retningslinjerne regner "
        "patienten for at have meget høj risiko. Tallene nedenfor viser kun retning og omtrentlig størrelse af hver "
        "ændring.",
        "Der er registreret tidligere hjertesygdom. SCORE2 er lavet til personer uden hjerte-kar-sygdom og gælder ikke "
        "for patienten: retningslinjerne fra 2021 regner patienten for at have meget høj risiko, med behandling af alle "
        "risikofaktorer til målene for sekundær forebyggelse. Den viste beregning er ikke en risikokategori for "
        "patienten.",
        "SCORE2 er lavet til alderen 40 til 69 år, og i patientens alder rækker programmets tal ud over modellen, så "
        "de gives ikke her. Fra 70 år bruger retningslinjerne SCORE2-OP.",
        "Diabetes: beregningen bruger kun SCORE2's led for diabetes. ESC's diabetesmodel (SCORE2-Diabetes) vægter også "
        "HbA1c, nyrefunktion (eGFR) og alder ved diagnosen, og diabetes med svær organskade regnes for meget høj "
        "risiko.",
        "Retningslinjernes risikokategorier fra 2021 gælder 10-års-risikoen. Vælg en prognoseperiode på 10 år for at "
        "placere patienten i en kategori.",
        "Der er ikke registreret en fødselsdato, så alderen og dermed risikokategorien kendes ikke.",
        "SCORE2 er lavet til alderen 40 til 69 år, så dens kategorier gælder ikke i patientens alder. Fra 70 år bruger "
        "retningslinjerne SCORE2-OP med sine egne grænser.",
        "Beregnet 10-års-risiko for dødelig eller ikke-dødelig hjerte-kar-sygdom (SCORE2): omkring ", " %.",
        "For personer under 50 år kalder retningslinjerne fra 2021 en 10-års-risiko under 2,5 % lav til moderat, "
        "2,5 % til under 7,5 % høj og 7,5 % eller mere meget høj.",
        "For personer på 50 til 69 år kalder retningslinjerne fra 2021 en 10-års-risiko under 5 % lav til moderat, "
        "5 % til under 10 % høj og 10 % eller mere meget høj.",
        "Patienten har lav til moderat risiko. Behandling af risikofaktorerne anbefales generelt ikke; råd om levevis "
        "gælder alle.",
        "Patienten har høj risiko. Behandling af risikofaktorerne bør overvejes under hensyn til den forventede "
        "gevinst, risikomodifikatorer, anden sygdom og patientens ønsker.",
        "Patienten har meget høj risiko. Behandling af risikofaktorerne anbefales.",
        "Beregningen ligger på grænsen mellem lav til moderat og høj risiko, som det afrundede tal ikke kan afgøre. "
        "Risikomodifikatorer og patientens ønsker afgør, om behandling bør overvejes.",
        "Beregningen ligger på grænsen mellem høj og meget høj risiko. Behandling af risikofaktorerne bør i det "
        "mindste overvejes.",
        "Arvelighed, overvægt, sociale forhold og andre risikomodifikatorer indgår ikke i SCORE2; de kan flytte en "
        "patient tæt på en grænse op i næste kategori.",
        "SCORE2 (ESC 2021) beregner 10-års-risikoen for dødelig og ikke-dødelig hjerte-kar-sygdom (blodprop i hjertet, "
        "slagtilfælde, hjerte-kar-død) hos personer på 40 til 69 år uden kendt hjerte-kar-sygdom. Modellen vægter "
        "alder, køn, rygning, systolisk blodtryk, total- og HDL-kolesterol og diabetes, kalibreret til landets "
        "risikoregion; Danmark hører til lavrisikolandene.",
        "En værdi, der ikke er registreret, tæller med modellens midterværdi (blodtryk ", " mmHg, kolesterol ",
        " mmol/L, HDL ", " mmol/L, ikke-ryger): mål værdien, før beregningen bruges. Tidligere rygere tæller som "
        "aldrig-rygere.",
        "Fra 70 år bruger retningslinjerne SCORE2-OP. For en periode på 5 år forlænger programmet samme model; SCORE2 "
        "offentliggør selv kun 10-års-risici.",
    };
    return w;
}

// A text constant of the formula language.
inline std::string Lit(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

inline constexpr const char* E = "2.718281828459045";

// Previous heart disease goes first, whatever the text says after it; a text
// without figures says so without pointing at them.
inline std::string PhdPrefix(const TWording& w, bool withFigures = true) {
    return "IF Examination('Previous heart disease') = 1 THEN Result := " + Lit(withFigures ? w.PhdShort : w.PhdLong) +
           " + nl + nl + Result";
}

// The relative change of the present risk when the factor's term changes by
// d: hazard ratio hr, applied to the last examination risk (which reads as a
// whole percent; for a risk that rounds to 0 the limit 1 - hr).
inline std::string ChangeText(const TWording& w, const std::string& d) {
    return "  hr := " + std::string(E) + " ^ (" + d + ")\n"
           "  r := ExaminationRisk() / 100\n"
           "  cut := 1 - hr\n"
           "  IF (r > 0) AND (r < 1) THEN cut := (r - 1 + (1 - r) ^ hr) / r\n"
           "  IF (cut < 0.005) AND (cut > -0.005) THEN Result := Result + " + Lit(w.Hardly) + "\n"
           "  ELSE IF cut > 0 THEN Result := Result + " + Lit(w.Lowers) + " + DecToStr(100 * cut, 0) + " + Lit(w.OfPresent) + "\n"
           "  ELSE Result := Result + " + Lit(w.Raises) + " + DecToStr(-100 * cut, 0) + " + Lit(w.OfPresent) + "\n";
}

inline std::string ContinuousAdvice(const TWording& w, const std::string& name, const std::string& unit,
                                    const std::string& missing1, const std::string& missing2,
                                    const std::string& present, const std::string& guideline) {
    const std::string u = Lit(" " + unit);
    return "{ Advice: the measured value, its goal and what reaching the goal means }\n"
           "nl := #13#10\n"
           "n := " + Lit(name) + "\n"
           "e := Examination(n)\n"
           "t := Treatment(n)\n"
           "IF e <= 0 THEN Result := " + Lit(missing1) + " + Translate(n, Const(n)) + " + Lit(missing2) + "\n"
           "ELSE\n"
           "BEGIN\n"
           "  Result := " + Lit(present) + " + Translate(n, e) + " + Lit(" " + unit + ".") + "\n"
           "  IF (t <= 0) OR (t = e) THEN Result := Result + " + Lit(w.NoGoal) + "\n"
           "  ELSE\n"
           "  BEGIN\n"
           "  Result := Result + " + Lit(w.GoalBefore) + " + Translate(n, t) + " + u + " + " + Lit(w.GoalAfter) + "\n" +
           ChangeText(w, "(Beta(n) + Coefficient(n, 4) * (Age() - 60)) * (t - e)") +
           "  END\n"
           "  Result := Result + ' ' + " + Lit(guideline) + "\n"
           "END\n" +
           PhdPrefix(w);
}

inline std::string SmokingAdvice(const TWording& w) {
    return "{ Advice: current smoking, the goal of stopping and what stopping means }\n"
           "nl := #13#10\n"
           "n := 'Smoking'\n"
           "e := Examination(n)\n"
           "t := Treatment(n)\n"
           "IF e < 0 THEN Result := " + Lit(w.SmokeMissing) + "\n"
           "ELSE IF e <> 2 THEN Result := " + Lit(w.NotSmoking1) + " + Translate(n, e) + " + Lit(w.NotSmoking2) + "\n"
           "ELSE\n"
           "BEGIN\n"
           "  Result := " + Lit(w.Smokes) + "\n"
           "  IF (t < 0) OR (t = 2) THEN Result := Result + " + Lit(w.NoStopGoal) + "\n"
           "  ELSE\n"
           "  BEGIN\n"
           "  Result := Result + " + Lit(w.Stop1) + " + Translate(n, t) + " + Lit(w.Stop2) + "\n" +
           ChangeText(w, "-(Beta(n) + Coefficient(n, 4) * (Age() - 60))") +
           "  END\n"
           "  Result := Result + ' ' + " + Lit(w.SmokeGuideline) + "\n"
           "END\n" +
           PhdPrefix(w);
}

// The diabetes note: what the estimate leaves out for a diabetic.
inline std::string DiabetesNote(const TWording& w, bool diabetesModel) {
    if (diabetesModel)
        return "Result := Result + nl + nl + " + Lit(w.DiabetesNote);
    return "IF Examination('Diabetes') = 1 THEN Result := Result + nl + nl + " + Lit(w.DiabetesNote);
}

inline std::string AllGoalsAdvice(const TWording& w, bool diabetesModel) {
    return "{ Advice: the risk now and with every goal reached }\n"
           "nl := #13#10\n"
           "e := ExaminationRisk()\n"
           "t := TreatmentRisk()\n"
           "a := Age()\n"
           "IF (a >= 0) AND ((a < 40) OR (a > 69)) THEN Result := " + Lit(w.AgeOutside) + "\n"
           "ELSE\n"
           "BEGIN\n"
           "Result := " + Lit(w.Sum1) + " + DecToStr(Prediction(), 0) + " + Lit(w.Sum2) + " + DecToStr(e, 0) + " +
           Lit(w.Sum3) + " + DecToStr(t, 0) + " + Lit(w.Sum4) + "\n"
           "IF e > t THEN Result := Result + ' ' + " + Lit(w.Fewer1) + " + DecToStr(e - t, 0) + " + Lit(w.Fewer2) + "\n"
           "END\n" +
           DiabetesNote(w, diabetesModel) + "\n" + PhdPrefix(w);
}

// The risk categories of the 2021 guidelines. The risk reads as a whole
// percent: below 50 that settles the thresholds 2.5 and 7.5, from 50 a
// rounded 5 or 10 lies on the border and is said so.
inline std::string CategoryGuideline(const TWording& w, bool diabetesModel) {
    return "{ Guideline: the risk category of the 2021 guidelines for apparently healthy people }\n"
           "nl := #13#10\n"
           "a := Age()\n"
           "r := ExaminationRisk()\n"
           "c := 0\n"
           "IF Examination('Previous heart disease') = 1 THEN Result := " + Lit(w.PhdLong) + "\n"
           "ELSE IF Prediction() <> 10 THEN Result := " + Lit(w.Period10) + "\n"
           "ELSE IF a < 0 THEN Result := " + Lit(w.NoAge) + "\n"
           "ELSE IF (a < 40) OR (a > 69) THEN Result := " + Lit(w.CategoryAgeOutside) + "\n"
           "ELSE\n"
           "BEGIN\n"
           "  Result := " + Lit(w.Estimate1) + " + DecToStr(r, 0) + " + Lit(w.Estimate2) + "\n"
           "  IF a < 50 THEN\n"
           "  BEGIN\n"
           "    Result := Result + ' ' + " + Lit(w.Under50) + "\n"
           "    IF r < 2.5 THEN c := 1 ELSE IF r < 7.5 THEN c := 2 ELSE c := 3\n"
           "  END\n"
           "  ELSE\n"
           "  BEGIN\n"
           "    Result := Result + ' ' + " + Lit(w.Over50) + "\n"
           "    IF r < 5 THEN c := 1 ELSE IF r = 5 THEN c := 12 ELSE IF r < 10 THEN c := 2 ELSE IF r = 10 THEN c := 23 ELSE c := 3\n"
           "  END\n"
           "  IF c = 1 THEN Result := Result + nl + nl + " + Lit(w.Cat1) + "\n"
           "  IF c = 12 THEN Result := Result + nl + nl + " + Lit(w.Border12) + "\n"
           "  IF c = 2 THEN Result := Result + nl + nl + " + Lit(w.Cat2) + "\n"
           "  IF c = 23 THEN Result := Result + nl + nl + " + Lit(w.Border23) + "\n"
           "  IF c = 3 THEN Result := Result + nl + nl + " + Lit(w.Cat3) + "\n"
           "  Result := Result + nl + nl + " + Lit(w.Modifiers) + "\n"
           "END\n" + DiabetesNote(w, diabetesModel);
}

inline std::string AboutGuideline(const TWording& w) {
    return "{ Guideline: what SCORE2 weighs and where it ends }\n"
           "nl := #13#10\n"
           "Result := " + Lit(w.About1) + " + nl + nl + " + Lit(w.About2) +
           " + Translate('Blood pressure', Const('Blood pressure')) + " + Lit(w.About3) +
           " + Translate('Cholesterol', Const('Cholesterol')) + " + Lit(w.About4) + " + Translate('HDL', Const('HDL')) + " +
           Lit(w.About5) + " + nl + nl + " + Lit(w.About6) + "\n" + PhdPrefix(w, false);
}

struct TComposeRow {
    int CountryId;
    std::string Name;
    int Type;
    std::string Expression;
};

inline std::vector<TComposeRow> ComposeRows(bool diabetesModel) {
    std::vector<TComposeRow> rows;
    for (const TWording* w : {&English(), &Danish()}) {
        const int c = w->CountryId;
        rows.push_back({c, w->Men, 1, "{ Group button: men are group 0 }\nResult := 0"});
        rows.push_back({c, w->Women, 1, "{ Group button: women are group 1 }\nResult := 1"});
        rows.push_back({c, w->BloodPressureName, 2,
                        ContinuousAdvice(*w, "Blood pressure", "mmHg", w->BpMissing1, w->BpMissing2, w->BpPresent,
                                         w->BpGuideline)});
        rows.push_back({c, w->CholesterolName, 2,
                        ContinuousAdvice(*w, "Cholesterol", "mmol/L", w->TcMissing1, w->TcMissing2, w->TcPresent,
                                         w->TcGuideline)});
        rows.push_back({c, w->HdlName, 2,
                        ContinuousAdvice(*w, "HDL", "mmol/L", w->HdlMissing1, w->HdlMissing2, w->HdlPresent,
                                         w->HdlGuideline)});
        rows.push_back({c, w->SmokingName, 2, SmokingAdvice(*w)});
        rows.push_back({c, w->AllGoalsName, 2, AllGoalsAdvice(*w, diabetesModel)});
        rows.push_back({c, w->CategoryName, 3, CategoryGuideline(*w, diabetesModel)});
        rows.push_back({c, w->AboutName, 3, AboutGuideline(*w)});
    }
    return rows;
}

} // namespace Score2
