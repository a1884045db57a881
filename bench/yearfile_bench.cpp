// Open, unsaved-change test and save of one period of a full yearly file.
#include "core/util/fileio.h"
#include "core/util/sjis.h"
#include "core/yearfile/yearfile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace orv;

namespace {

struct Fixture {
    fs::path dir = fs::temp_directory_path() / ("orv_bench_" + std::to_string(::getpid()));
    std::string file = (dir / "令和08年給与･賞与.dat").string();
    std::unique_ptr<PayImage> img = std::make_unique<PayImage>();

    Fixture()
    {
        fs::create_directories(dir);
        YearFileRun run;
        CreateYearFile(file, *img, run);
        OpenPeriod(file, 5, *img);
        for (int i = 1; i <= kSlots; ++i) {
            img->Syain[i].UniqueKey.set("key" + std::to_string(i));
            img->Syain[i].Simei.set(sjis("従業員"));
            img->Sikyu[i].Kihonkyu = 200000 + i;
        }
        SilentPrompter yes(Prompter::Answer::Yes);
        SavePeriod(file, *img, yes, run);
    }
    ~Fixture() { fs::remove_all(dir); }
};

void BM_OpenPeriod(benchmark::State &state)
{
    Fixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize(OpenPeriod(f.file, 5, *f.img).isOk());
}
BENCHMARK(BM_OpenPeriod);

void BM_UnsavedChanges(benchmark::State &state)
{
    Fixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize(periodChanged(f.file, *f.img));
}
BENCHMARK(BM_UnsavedChanges);

void BM_SavePeriod(benchmark::State &state)
{
    Fixture f;
    SilentPrompter yes(Prompter::Answer::Yes);
    YearFileRun run;
    for (auto _ : state) {
        f.img->Sikyu[1].Kihonkyu += 1;
        benchmark::DoNotOptimize(SavePeriod(f.file, *f.img, yes, run).isOk());
    }
}
BENCHMARK(BM_SavePeriod)->Unit(benchmark::kMillisecond);

} // namespace


