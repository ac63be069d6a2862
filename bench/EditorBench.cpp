#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include "bench/MixedMotion.h"
#include "editor/CEditorDlg.h"
#include "editor/EditorControlIds.h"
#include "editor/EditorTemplate.h"
#include "framework/ResourceChain.h"
#include "framework/ResourceModule.h"
#include "framework/backends/headless/HeadlessBackend.h"
#include "framework/backends/headless/HeadlessUser.h"
#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "pictures/PathPreview.h"

// The editor on large tables, played through the headless backend: an import of a long file
// beside reading the same file with fgets and sscanf, and a redraw and each editing command on
// 1k and 10k rows, whose growth the table compares (see bench/README.md).

namespace {

// The editor's template joins the resource chain as the module's resources bring it in, and
// the headless backend plays its dialogs.
void RegisterEditorTemplate() {
  static CResourceModule resources;
  static const bool registered = [] {
    resources.AddDialogTemplate(IDD_VECTOR_MODE, &EditorTemplate());
    AfxRegisterResourceModule(&resources);
    AfxSetDialogBackend(&CHeadlessBackend::Instance());
    return true;
  }();
  (void)registered;
}

// Opens the editor on the mixed motion of `segments` segments; `play` acts in it.
void WithEditor(int segments, std::function<void(CHeadlessUser&)> play) {
  RegisterEditorTemplate();
  const auto project = CMC_Project::CreateDemo();
  CMC_Motion motion(project->GetController());
  CString text = MixedMotionText(segments);
  CHeadlessBackend::Instance().Reset();
  CHeadlessBackend::Instance().QueuePlay(std::move(play));
  CEditorDlg dialog(project->GetController(), motion, text, nullptr);
  dialog.DoModal();
}

// An import file of `lines` segments, alternately linear and circular, some with acceleration
// and speed.
std::string ImportFile(int lines) {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("editor-bench-" + std::to_string(::getpid()) + ".txt")).string();
  std::ofstream file(path, std::ios::binary);
  for (int line = 0; line < lines; ++line) {
    if (line % 2 == 0)
      file << "L " << 10 + line % 7 << " " << -(line % 5) << (line % 4 == 0 ? " 1.5 0.2" : "") << "\n";
    else
      file << "C " << 5 + line % 3 << " " << (line % 360) - 180 << " 45" << "\n";
  }
  return path;
}

void ImportFromFile(benchmark::State& state) {
  const std::string path = ImportFile(static_cast<int>(state.range(0)));
  WithEditor(1, [&](CHeadlessUser& user) {
    for (auto _ : state) {
      CHeadlessBackend::Instance().QueueFileDialogAnswer(CString(path.c_str()));
      user.Click(IDC_IMPORT);
    }
    if (user.Items(IDC_SEGMENT_LIST).size() != static_cast<size_t>(state.range(0))) state.SkipWithError("import");
  });
  std::filesystem::remove(path);
}
BENCHMARK(ImportFromFile)->Arg(100000)->Unit(benchmark::kMillisecond);

// The least work that reads the same lines: fgets and one sscanf a line.
void ReadWithFgetsSscanf(benchmark::State& state) {
  const std::string path = ImportFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    char line[256];
    double sum = 0.0;
    while (std::fgets(line, sizeof line, file) != nullptr) {
      double values[6] = {};
      std::sscanf(line + 1, "%lf %lf %lf %lf %lf %lf ", &values[0], &values[1], &values[2], &values[3], &values[4],
                  &values[5]);
      sum += values[0];
    }
    std::fclose(file);
    benchmark::DoNotOptimize(sum);
  }
  std::filesystem::remove(path);
}
BENCHMARK(ReadWithFgetsSscanf)->Arg(100000)->Unit(benchmark::kMillisecond);

void TableSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
}

// One editor action, repeated on a table of state.range(0) rows that it leaves as large.
void EditorAction(benchmark::State& state, const std::function<void(CHeadlessUser&)>& act) {
  WithEditor(static_cast<int>(state.range(0)), [&](CHeadlessUser& user) {
    user.SelectRow(IDC_SEGMENT_LIST, static_cast<int>(state.range(0)) / 2);
    for (auto _ : state) act(user);
  });
}

// A unit change redraws the header and every row.
void RefreshSegmentTable(benchmark::State& state) {
  int unit = 0;
  EditorAction(state, [&](CHeadlessUser& user) { user.Choose(IDC_ACC_UNIT, unit++ % 2); });
}
BENCHMARK(RefreshSegmentTable)->Apply(TableSizes);

void InsertAndRemove(benchmark::State& state) {
  EditorAction(state, [](CHeadlessUser& user) {
    user.Click(IDC_INSERT_BELOW);
    user.Click(IDC_REMOVE);
  });
}
BENCHMARK(InsertAndRemove)->Apply(TableSizes);

void MoveDownAndUp(benchmark::State& state) {
  EditorAction(state, [](CHeadlessUser& user) {
    user.Click(IDC_MOVE_DOWN);
    user.Click(IDC_MOVE_UP);
  });
}
BENCHMARK(MoveDownAndUp)->Apply(TableSizes);

void UpdateAndNext(benchmark::State& state) {
  EditorAction(state, [](CHeadlessUser& user) {
    user.Click(IDC_UPDATE);
    user.Click(IDC_NEXT);
    user.Click(IDC_PREVIOUS);
  });
}
BENCHMARK(UpdateAndNext)->Apply(TableSizes);

// Next and Previous with the path preview of motion-host edit listening: each command reads the
// whole motion again, which must grow no more than linearly.
void NextWithPreview(benchmark::State& state) {
  const auto project = CMC_Project::CreateDemo();
  CMC_Motion motion(project->GetController());
  PathPreview preview(project->GetController(), motion, nullptr);
  EditorAction(state, [](CHeadlessUser& user) {
    user.Click(IDC_NEXT);
    user.Click(IDC_PREVIOUS);
  });
}
BENCHMARK(NextWithPreview)->Apply(TableSizes);

}  // namespace
