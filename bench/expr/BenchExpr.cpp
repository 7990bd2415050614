// Speed of the stack machine against hand-written C++ in the same run, and
// heap allocations per run: a formula is compiled once and run on every
// recalculation, so a run must not allocate per instruction.

#include "BvExpr.h"

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>

// --- allocation counting ---
// Qt allocates its texts with malloc, not operator new: count at malloc,
// which operator new uses too. The executable's definitions take the place
// of the C library's for every library of the process.

static std::atomic<long long> gAllocations{0};

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);

void* malloc(std::size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, size);
}
}

namespace {

constexpr long Runs = 1000000;
// The machine is shared: the runs are made in chunks, formula and C++ in
// turn, and the best chunk of each counts.
constexpr long Chunks = 200;

struct TMeasure {
    double NsPerRun = 1e300; // best chunk
    double AllocsPerRun = 0;
    double Checksum = 0;
};

using TBody = std::function<double(long)>;

void RunChunk(const TBody& body, long chunk, TMeasure& m) {
    long long allocations = gAllocations.load();
    auto start = std::chrono::steady_clock::now();
    double checksum = 0;
    long first = chunk * (Runs / Chunks);
    for (long i = first; i < first + Runs / Chunks; ++i)
        checksum += body(i);
    auto stop = std::chrono::steady_clock::now();
    m.AllocsPerRun += double(gAllocations.load() - allocations) / Runs;
    m.Checksum += checksum;
    double ns = std::chrono::duration<double, std::nano>(stop - start).count() / (Runs / Chunks);
    m.NsPerRun = std::min(m.NsPerRun, ns);
}

// Runs both bodies Runs times each (after a warm-up in which buffers and
// call frames reach their size).
void Measure(const TBody& expr, const TBody& native, TMeasure& e, TMeasure& n) {
    for (long i = 0; i < Runs / 100; ++i) {
        expr(i);
        native(i);
    }
    for (long chunk = 0; chunk < Chunks; ++chunk) {
        RunChunk(expr, chunk, e);
        RunChunk(native, chunk, n);
    }
}

// A missed target or a wrong checksum fails the run (non-zero exit).
bool gFailed = false;

// Numbers without the C library's locale: QCoreApplication sets it from the
// environment, and a comma would break the columns' meaning.
QByteArray Fixed(double value, int decimals) { return QByteArray::number(value, 'f', decimals); }

// `ratioTarget`: the formula at most this many times slower than the C++;
// `allocTarget`: at most this many allocations per run (negative: none set).
void Report(const char* name, const TMeasure& expr, const TMeasure& native, double ratioTarget,
            double allocTarget) {
    double ratio = expr.NsPerRun / native.NsPerRun;
    bool ratioOk = ratio <= ratioTarget;
    bool allocOk = allocTarget < 0 || expr.AllocsPerRun <= allocTarget;
    QByteArray allocGoal = allocTarget < 0 ? QByteArray("-") : "<= " + Fixed(allocTarget, 0);
    std::printf("%-34s %10s %10s %8s %8s %-4s %12s %8s %-4s\n", name, Fixed(expr.NsPerRun, 1).constData(),
                Fixed(native.NsPerRun, 1).constData(), Fixed(ratio, 1).constData(),
                ("<= " + Fixed(ratioTarget, 0)).constData(), ratioOk ? "ok" : "MISS",
                Fixed(expr.AllocsPerRun, 2).constData(), allocGoal.constData(), allocOk ? "ok" : "MISS");
    if (!ratioOk || !allocOk)
        gFailed = true;
    if (std::fabs(expr.Checksum - native.Checksum) > 1e-6 * std::fabs(native.Checksum)) {
        std::printf("  checksums differ: %s vs %s\n", QByteArray::number(expr.Checksum, 'g', 17).constData(),
                    QByteArray::number(native.Checksum, 'g', 17).constData());
        gFailed = true;
    }
}

// Host functions of a model. The formula reaches them through its handler;
// the C++ calls them directly, as real code would.
double HostLn(double x) { return std::log(x); }
double HostCoef(double x) { return 0.5 * x + 1; }

TBody Evaluating(TBvExprResult& formula, std::function<void(long)> setInputs) {
    return [&formula, setInputs](long i) {
        setInputs(i);
        return formula.Evaluate().AsNumber();
    };
}

template <double (*Host)(double)> void LinearTerm(const char* name) {
    TBvExprSource source(nullptr, false);
    source.FuncList().AddFunc("Ln", 1, [](TVarList& p, TVarItem& r) { r.SetNumber(Host(p[0].AsNumber())); });
    TBvExprResult formula;
    formula.SetSource(&source);
    formula.SetExpressionText("Result := 0.0412 * Age + 0.117 * Ln(Chol) - 0.9 * Ln(Hdl)\n"
                              "IF Smoker THEN Result := Result + 0.65");
    formula.Compile();
    TVarItem& age = formula.VarList().FindOrAdd("Age");
    TVarItem& chol = formula.VarList().FindOrAdd("Chol");
    TVarItem& hdl = formula.VarList().FindOrAdd("Hdl");
    TVarItem& smoker = formula.VarList().FindOrAdd("Smoker");
    TBody expr = Evaluating(formula, [&](long i) {
        age.SetNumber(40 + i % 40);
        chol.SetNumber(4 + (i % 7) * 0.5);
        hdl.SetNumber(1.2);
        smoker.SetBoolean(i % 3 == 0);
    });
    volatile double hdlIn = 1.2;
    TBody native = [&](long i) {
        double a = 40 + i % 40, c = 4 + (i % 7) * 0.5, h = hdlIn;
        bool s = i % 3 == 0;
        double result = 0.0412 * a + 0.117 * Host(c) - 0.9 * Host(h);
        if (s)
            result = result + 0.65;
        return result;
    };
    TMeasure e, n;
    Measure(expr, native, e, n);
    Report(name, e, n, 40, 0);
}

void ForLoop() {
    TBvExprResult formula;
    formula.SetExpressionText("s := 0\nFOR i := 1 TO n DO s := s + i\nResult := s");
    formula.Compile();
    TVarItem& n = formula.VarList().FindOrAdd("n");
    TBody expr = Evaluating(formula, [&](long) { n.SetNumber(100); });
    volatile double limit = 100;
    TBody native = [&](long) {
        double s = 0, l = limit;
        for (double i = 1; i <= l; i = i + 1)
            s = s + i;
        return s;
    };
    TMeasure e, m;
    Measure(expr, native, e, m);
    Report("FOR loop summing 100 numbers", e, m, 40, 0);
}

void TextComposition() {
    TBvExprResult formula;
    formula.SetExpressionText("Result := 'Risk of ' + Name + ': ' + Level + ' within ' + Years");
    formula.Compile();
    formula.VarList().SetValue("Name", TDataNode::FromString("Jens Hansen"));
    formula.VarList().SetValue("Level", TDataNode::FromString("12 %"));
    formula.VarList().SetValue("Years", TDataNode::FromString("10 years"));
    // The checksum of a text run is its length.
    TBody expr = [&](long) { return double(formula.Evaluate().AsString().size()); };
    QString name = "Jens Hansen", level = "12 %", years = "10 years";
    TBody native = [&](long) {
        QString result = QStringLiteral("Risk of ");
        result += name;
        result += QLatin1String(": ");
        result += level;
        result += QLatin1String(" within ");
        result += years;
        return double(result.size());
    };
    TMeasure e, n;
    Measure(expr, native, e, n);
    // The result text is made once per run in both.
    Report("text of five concatenations", e, n, 40, -1);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::printf("%ld runs each in %ld chunks, formula and C++ in turn; ns per run of the best chunk; "
                "allocations per run after warm-up\n",
                Runs, Chunks);
    std::printf("%-34s %10s %10s %8s %8s %-4s %12s %8s %-4s\n", "formula", "expr", "C++", "ratio", "target", "",
                "allocs expr", "target", "");
    LinearTerm<HostLn>("linear term, 2 host calls, IF");
    LinearTerm<HostCoef>("  same, trivial host function");
    ForLoop();
    TextComposition();
    if (gFailed)
        std::printf("a target was missed\n");
    return gFailed ? 1 : 0;
}
