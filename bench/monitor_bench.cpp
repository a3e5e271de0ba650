// One reading of netguard.txt by the monitor: 1,000 connection lines of 50
// programs against 10,000 rules and 1,000 quarantine rows, on the in-memory
// platform, beside the cost of only reading and splitting the same lines; and
// one reading that meets 20,000 or 80,000 programs at once.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "app/MainWindow.h"
#include "engines/ConnectionLine.h"
#include "stores/DataPacket.h"
#include "testing/FakePlatform.h"
#include "testing/HeadlessDesktop.h"

namespace {

using namespace tg;
using testing::FakePlatform;

constexpr int kLines = 1000;
constexpr int kPrograms = 50;
constexpr int kRules = 10000;
constexpr int kQuarantine = 1000;

std::string programName(int i) { return "program" + std::to_string(i) + ".exe"; }

struct Scene {
  FakePlatform fake;
  testing::HeadlessDesktop desktop;
  std::unique_ptr<MainWindow> window;
  Lines lines;
  std::string file;  // netguard.txt's bytes

  explicit Scene(bool programsKnown) {
    std::vector<Row> rules;
    for (int i = 0; i < kRules; ++i) {
      // The last rules name the programs of the lines, when they are known.
      const std::string name = programsKnown && i >= kRules - kPrograms ? programName(i - (kRules - kPrograms))
                                                                        : "other" + std::to_string(i) + ".exe";
      rules.push_back({name, "08/12/2026 10:15:03", "@", "07/11/2025", "1234", "32", "BUILTIN/Administrateurs",
                       "C:\\Program Files\\Editeur\\" + name, "3141592653", "", ""});
    }
    fake.files.addFile(fake.inProgram("regles.xml"),
                       encodeDataPacket(schemaOf(StoreId::Rules).fields, rules, CodePage(1252)));
    std::vector<Row> quarantine;
    for (int i = 0; i < kQuarantine; ++i) quarantine.push_back({"banned" + std::to_string(i) + ".exe"});
    fake.files.addFile(fake.inProgram("quarantaines.xml"),
                       encodeDataPacket(schemaOf(StoreId::Quarantine).fields, quarantine, CodePage(1252)));
    std::vector<std::uint32_t> pids;
    for (int p = 0; p < kPrograms; ++p) {
      const std::string exe = "C:\\Program Files\\Editeur\\" + programName(p);
      fake.files.addFile(exe, std::string(20000, 'x'));
      pids.push_back(fake.processes.add(programName(p), {exe, "C:\\Windows\\System32\\ntdll.dll"}));
    }
    for (int i = 0; i < kLines; ++i) {
      const int p = i % kPrograms;
      lines.push_back(programName(p) + ";" + std::to_string(pids[static_cast<std::size_t>(p)]) +
                      ";TCP;10.0.0.2:50000;93.184.216." + std::to_string(i % 250) + ";443;ESTABLISHED;50000;;;;");
    }
    lines.push_back("end;1000;;");
    file = joinLines(lines);
    window = std::make_unique<MainWindow>(fake.platform, desktop, FakePlatform::kProgramDirectory, "1.17.08.28");
    window->FormCreate();
  }
};

// The lower bound: the file's bytes into lines, every line into its fields.
void ReadAndSplitOnly(benchmark::State& state) {
  Scene scene(true);
  for (auto _ : state) {
    const Lines lines = splitLines(scene.file);
    std::size_t fields = 0;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) fields += parseConnectionLine(lines[i]).name().size();
    benchmark::DoNotOptimize(fields);
  }
}

// Every program already recorded: the state the monitor spends its life in.
void SteadyStateTick(benchmark::State& state) {
  Scene scene(true);
  scene.window->monitor.processLines(splitLines(scene.file));  // learns what is recorded
  for (auto _ : state) scene.window->monitor.processLines(splitLines(scene.file));
  state.counters["rules"] = static_cast<double>(scene.window->centre.stores.table(StoreId::Rules).recordCount());
}

// The tick that meets the 50 programs for the first time and records them.
void FirstMeetingTick(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    Scene scene(false);
    state.ResumeTiming();
    scene.window->monitor.processLines(splitLines(scene.file));
    state.PauseTiming();
    if (scene.window->centre.stores.table(StoreId::Rules).recordCount() != kRules + kPrograms)
      state.SkipWithError("the programs were not recorded");
    state.ResumeTiming();
  }
}

// One reading in which every line is a program met for the first time, at
// reaction level 2: each is recorded as an alert and a rule. The time per
// program should not grow with their number.
void ManyNewProgramsTick(benchmark::State& state) {
  const int programs = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto scene = std::make_unique<Scene>(false);
    // The lines name a few running processes, so that the facts of every
    // program are taken without the fake's process table growing with them.
    std::vector<std::uint32_t> pids;
    for (int p = 0; p < kPrograms; ++p) pids.push_back(scene->fake.processes.add(programName(p)));
    Lines lines;
    for (int i = 0; i < programs; ++i)
      lines.push_back("app" + std::to_string(i) + ".exe;" + std::to_string(pids[static_cast<std::size_t>(i % kPrograms)]) +
                      ";TCP;10.0.0.2:50000;93.184.216.34;443;ESTABLISHED;50000;;;;");
    lines.push_back("end;1000;;");
    state.ResumeTiming();
    scene->window->monitor.processLines(lines);
    state.PauseTiming();
    RecordStore& rules = scene->window->centre.stores.table(StoreId::Rules);
    if (rules.recordCount() != static_cast<std::size_t>(kRules + programs) ||
        scene->window->centre.stores.table(StoreId::Alerts).recordCount() != static_cast<std::size_t>(programs))
      state.SkipWithError("the programs were not recorded");
    scene.reset();
    state.ResumeTiming();
  }
  state.counters["per_program"] =
      benchmark::Counter(programs, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// A netguard.txt far past the bound (random bytes, or valid lines of programs
// already recorded): what a reading of its first part costs, read and gone
// through. The window answers between the slices of a long reading, so the
// times per slice are what it waits for at most.
void HugeFileReading(benchmark::State& state) {
  const bool validLines = state.range(0) != 0;
  Scene scene(true);
  std::string bytes;
  if (validLines) {
    while (bytes.size() < (24u << 20)) bytes += scene.lines[bytes.size() % kLines] + "\r\n";
  } else {
    unsigned seed = 12345;
    bytes.resize(24u << 20);
    for (char& c : bytes) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
  }
  scene.fake.files.addFile(scene.fake.inProgram("netguard.txt"), bytes);
  bytes = {};
  double readMs = 0, processMs = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    const auto read = readFirstLines(scene.fake.files, scene.fake.inProgram("netguard.txt"), Monitor::kMaxReadingBytes,
                                     Monitor::kMaxReadingLines);
    const auto t1 = std::chrono::steady_clock::now();
    scene.window->monitor.processLines(read->lines);
    const auto t2 = std::chrono::steady_clock::now();
    readMs += std::chrono::duration<double, std::milli>(t1 - t0).count();
    processMs += std::chrono::duration<double, std::milli>(t2 - t1).count();
  }
  state.counters["read_ms"] = readMs / static_cast<double>(state.iterations());
  state.counters["lines_ms"] = processMs / static_cast<double>(state.iterations());
}

BENCHMARK(ReadAndSplitOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(SteadyStateTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(FirstMeetingTick)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(HugeFileReading)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ManyNewProgramsTick)->Arg(20000)->Arg(80000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
