// ZenKeisan of a full period of 90 employees, and a whole year opened and recomputed in turn.
#include "core/calc/calc.h"
#include "core/util/sjis.h"
#include "core/yearfile/yearfile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace orv;

namespace {

struct Company {
    fs::path dir = fs::temp_directory_path() / ("orv_calcbench_" + std::to_string(::getpid()));
    std::string file = (dir / "令和08年給与･賞与.dat").string();
    TOption opt;
    SlipItems salary = SlipItems::defaults(SlipKind::Kyuyo);
    SlipItems bonus = SlipItems::defaults(SlipKind::Syoyo);
    TableSet tables = TableSet::load(ORV_BENCH_BIN_DIR, 2026);
    std::unique_ptr<PayImage> img = std::make_unique<PayImage>();

    Company()
    {
        fs::create_directories(dir);
        YearFileRun run;
        CreateYearFile(file, *img, run);
        SilentPrompter yes(Prompter::Answer::Yes);
        img->Head.SikyuM[0] = 7;
        img->Head.SikyuM[1] = 12;
        img->Head.SikyuM[2] = 3;
        for (int k = 1; k <= kPeriods; ++k) {
            fill(k);
            CalcContext ctx{opt, k > 12 ? bonus : salary, tables, file, false};
            ZenKeisan(*img, ctx);
            SavePeriod(file, *img, yes, run);
        }
    }
    ~Company() { fs::remove_all(dir); }

    void fill(int k)
    {
        img->KikanNo = k;
        img->Kihon.Syamei.set(sjis("ベンチ商事"));
        img->Kihon.KoyRitu = 0.55;
        img->Kihon.KenRitu = 4.955;
        img->Kihon.NenRitu = 9.15;
        for (int i = 1; i <= kSlots; ++i) {
            TSyainRec &s = img->Syain[i];
            s.UniqueKey.set("k" + std::to_string(i));
            s.Keitai = 1 + i % 3;
            s.Chingin1 = s.Keitai == 1 ? 200000 + 1000 * i : (s.Keitai == 2 ? 9000 : 1200);
            s.Chingin2 = 1600;
            s.Koyou = s.Kenkou = s.NenHoken = true;
            s.KenhoRyo = 12000;
            s.KoseiRyo = 22000;
            s.Sinzoku = i % 4;
            s.SikUnit = 2;
            s.Koutuhi0 = 10000;
            img->Kintai[i].SyukkinNissu = 20;
            img->Kintai[i].JitudoJikan = 160;
            img->Kintai[i].ZangyoJikan = 12.5;
            img->Sikyu[i].Kihonkyu = k > 12 ? 400000 + i : img->Sikyu[i].Kihonkyu;
        }
    }
};

void BM_ZenKeisanSalary(benchmark::State &state)
{
    Company c;
    OpenPeriod(c.file, 5, *c.img);
    CalcContext ctx{c.opt, c.salary, c.tables, c.file, false};
    for (auto _ : state)
        benchmark::DoNotOptimize(ZenKeisan(*c.img, ctx).errors.size());
}
BENCHMARK(BM_ZenKeisanSalary)->Unit(benchmark::kMicrosecond);

void BM_ZenKeisanBonus(benchmark::State &state)
{
    Company c;
    OpenPeriod(c.file, 14, *c.img);
    CalcContext ctx{c.opt, c.bonus, c.tables, c.file, false};
    for (auto _ : state)
        benchmark::DoNotOptimize(ZenKeisan(*c.img, ctx).errors.size());
}
BENCHMARK(BM_ZenKeisanBonus)->Unit(benchmark::kMillisecond);

void BM_WholeYearOpenAndRecompute(benchmark::State &state)
{
    Company c;
    for (auto _ : state) {
        for (int k = 1; k <= kPeriods; ++k) {
            OpenPeriod(c.file, k, *c.img);
            CalcContext ctx{c.opt, k > 12 ? c.bonus : c.salary, c.tables, c.file, false};
            benchmark::DoNotOptimize(ZenKeisan(*c.img, ctx).errors.size());
        }
    }
}
BENCHMARK(BM_WholeYearOpenAndRecompute)->Unit(benchmark::kMillisecond);

} // namespace
