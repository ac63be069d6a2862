// What motion-host does with the files it reads and writes, seen as a user sees it: input that
// never ends, links, recovery files, stale temporaries, setups read strictly, and the messages
// they give.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/framework/TemporaryDirectory.h"
#include "tests/tools/MotionHostRun.h"

namespace {

namespace fs = std::filesystem;

const std::string kExamples = EXAMPLES_DIR;
const std::string kHost = MOTION_HOST;

// An editor script that changes the first row and ends with OK.
const char* const kChangeAndOk = "type 1017 5\nclick 1001\nclick 1\n";

class HostFiles : public TemporaryDirectoryTest {
 protected:
  std::string Write(const char* name, const std::string& text) {
    WriteFile(PathOf(name), text);
    return PathOf(name);
  }
  // Runs motion-host in the test's folder.
  HostRun Here(const std::string& arguments, const std::string& input = "") {
    return Shell("cd " + directory.string() + " && " + kHost + " " + arguments, input);
  }
  std::string Example(const char* name) {
    fs::copy_file(kExamples + "/" + name, PathOf(name));
    return PathOf(name);
  }
};

// Every reader stops at the limit, with the file's name, before it reads it all: a sparse file
// far larger than the limit, and /dev/zero, which never ends, under a timeout that would show as
// exit 124 had the reader gone on.
TEST_F(HostFiles, EveryReaderStopsAtTheInputLimit) {
  ASSERT_EQ(Shell("truncate -s 3M " + PathOf("sparse")).status, 0);
  const std::string script = Write("ok.script", kChangeAndOk);
  const std::string motion = Example("circle.motion");
  // Each reader, with FILE where the input goes; edit takes "-" for a motion file's name.
  const struct {
    std::string arguments;
    bool readsStandardInput;
  } readers[] = {
      {"translate FILE", true},
      {"plot FILE", true},
      {"report FILE", true},
      {"import-gcode FILE", true},
      {"import-dxf FILE", true},
      {"fit-arcs --tolerance 0.01 FILE", true},
      {"edit --script FILE " + motion, true},
      {"edit --script " + script + " FILE", false},
      {"--setup FILE new", true},
  };
  for (const auto& [reader, readsStandardInput] : readers) {
    const size_t at = reader.find("FILE");
    for (const std::string& file : {PathOf("sparse"), std::string("/dev/zero")}) {
      const std::string arguments = reader.substr(0, at) + file + reader.substr(at + 4);
      const HostRun run = Shell("timeout 20 " + kHost + " --max-input 2 " + arguments);
      EXPECT_EQ(run.status, 2) << arguments << "\n" << run.err;
      EXPECT_NE(run.err.find("\"" + file + "\" is larger than 2 MB"), std::string::npos) << arguments << "\n"
                                                                                         << run.err;
    }
    if (!readsStandardInput) continue;
    const std::string fromInput = reader.substr(0, at) + "-" + reader.substr(at + 4);
    const HostRun piped = Shell("timeout 20 " + kHost + " --max-input 2 " + fromInput + " </dev/zero");
    EXPECT_EQ(piped.status, 2) << fromInput;
    EXPECT_NE(piped.err.find("standard input is larger than 2 MB"), std::string::npos) << fromInput << "\n"
                                                                                       << piped.err;
  }
  EXPECT_EQ(ReadFile(motion), ReadFile(kExamples + "/circle.motion"));
}

TEST_F(HostFiles, TheLimitIsAGibibyteAndAFileAtTheLimitIsRead) {
  ASSERT_EQ(Shell("truncate -s 1025M " + PathOf("huge.nc")).status, 0);
  const HostRun huge = MotionHost("import-gcode " + PathOf("huge.nc"));
  EXPECT_EQ(huge.status, 2);
  EXPECT_EQ(huge.err, "motion-host: \"" + PathOf("huge.nc") + "\" is larger than 1024 MB\n");

  // One MB of a comment: read whole, and refused for what it holds, not for its size.
  const std::string comment = "(" + std::string((1 << 20) - 3, 'c') + ")\n";
  const HostRun full = MotionHost("--max-input 1 import-gcode " + Write("full.nc", comment));
  EXPECT_EQ(full.status, 2);
  EXPECT_NE(full.err.find("no contour"), std::string::npos) << full.err;
  const HostRun over = MotionHost("--max-input 1 import-gcode " + Write("over.nc", comment + "\n"));
  EXPECT_NE(over.err.find("is larger than 1 MB"), std::string::npos) << over.err;
}

TEST_F(HostFiles, TheSetupComesFromStandardInputOrTellsAFolderAsTheOthersDo) {
  const std::string setup = ReadFile(kExamples + "/rotary.setup.json");
  const std::string motion = kExamples + "/rotary.motion";
  const HostRun piped = MotionHost("--setup - translate " + motion, setup);
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(piped.out, ReadFile(kExamples + "/rotary.program"));

  const HostRun both = MotionHost("--setup - translate", setup);
  EXPECT_EQ(both.status, 2);
  EXPECT_EQ(both.err, "motion-host: standard input was read already: it can be read only once\n");

  const HostRun folder = MotionHost("--setup " + directory.string() + " new");
  EXPECT_EQ(folder.status, 2);
  EXPECT_EQ(folder.err, "motion-host: setup file \"" + directory.string() + "\": \"" + directory.string() +
                            "\" is a folder, not a file\n");
}

// A key misspelt, given twice, or a value the drives cannot hold would change the program or
// make the module blame the motion; each is refused with where it is and, for a key, the one
// meant.
TEST_F(HostFiles, ASetupIsReadStrictlyWithEachFaultAtItsPath) {
  const std::string drives = R"("drives": [{"name": "X", "options": {"IsClosedPosition": 1}}, {"name": "Y"}])";
  const struct {
    std::string json;
    std::string message;
  } cases[] = {
      {R"({"controller": {"name": "C", "counts_per_unti": 2000}})",
       R"(controller.counts_per_unti: unknown key; did you mean "counts_per_unit"?)"},
      {R"({"controller": {"name": "C"}, "slave": [null]})", R"(slave: unknown key; did you mean "slaves"?)"},
      {R"({"controller": {"name": "C"}, "drives": [{"name": "X"}, {"name": "Y", "Load": "rotary"}]})",
       R"(drives[1].Load: unknown key; did you mean "load"?)"},
      {R"({"controller": {"name": "C"}, "axes": [{"id": 1, "drvie": "X"}]})",
       R"(axes[0].drvie: unknown key; did you mean "drive"?)"},
      {R"({"controller": {"name": "C", "speed": 1}})",
       "controller.speed: unknown key; known: name, motion_controller, load, counts_per_unit, sample_period_s, "
       "variables, options"},
      {"{\"controller\": {\"name\": \"C\", \"\\u001b[31m\": 1}}", R"(controller."\x1B[31m": unknown key; known: )"},
      {R"({"controller": {"name": "C"}, "drives": [{"name": "X", "options": {"IsClosedPositon": 1}}]})",
       R"(drives[0].options.IsClosedPositon: unknown option; did you mean "IsClosedPosition"?)"},
      {R"({"controller": {"name": "C", "name": "D"}})", "controller.name: is given twice"},
      {R"({"controller": {"name": "C"}, "controller": {"name": "D"}})", "controller: is given twice"},
      {R"({"controller": {"name": "C"}, )" + drives +
           R"(, "axes": [{"id": 1}, {"id": 2}, {"id": 3, "drive": "X", "id": 4}]})",
       "axes[2].id: is given twice"},
      {R"({"controller": {"name": "C"}, "drives": [{"name": "X", "options": {"IsClosedPosition": 1, )"
       R"("IsClosedPosition": 0}}]})",
       "drives[0].options.IsClosedPosition: is given twice"},
      {R"({"controller": {"name": "C"}, "drives": [{"name": "T", "load": "rotary", "counts_per_unit": 1e308}]})",
       "drives[0].counts_per_unit: 1e+308 is more than a drive's 32-bit position holds in one unit (at most "
       "2147483647 counts)"},
      {R"({"controller": {"name": "C", "counts_per_unit": 2147483648}})",
       "controller.counts_per_unit: 2147483648 is more than a drive's 32-bit position holds"},
  };
  for (const auto& c : cases) {
    const std::string setup = Write("bad.json", c.json);
    const HostRun run = MotionHost("--setup " + setup + " new");
    EXPECT_EQ(run.status, 2) << c.json;
    EXPECT_EQ(run.err.find("motion-host: setup file \"" + setup + "\": " + c.message), 0u) << c.json << "\n" << run.err;
  }
  const std::string largest =
      Write("fine.json", R"({"controller": {"name": "C", "counts_per_unit": 2147483647}, )" + drives + "}");
  EXPECT_EQ(MotionHost("--setup " + largest + " new").status, 0);
}

// An earlier session's recovery file stays; the new one takes the next free name and is named.
TEST_F(HostFiles, ARecoveryFileIsNeverWrittenOver) {
  const std::string script = Write("ok.script", kChangeAndOk);
  Write("m.motion.recovered", "the first session's motion");
  Write("m.motion.recovered-2", "the second session's motion");
  const HostRun run = Here("edit --script " + script + " gone/m.motion");
  EXPECT_EQ(run.status, 2) << run.err;
  const std::string recovery = fs::canonical(directory).string() + "/m.motion.recovered-3";
  EXPECT_NE(run.err.find("the edited motion is in " + recovery + "\n"), std::string::npos) << run.err;
  EXPECT_EQ(ReadFile(PathOf("m.motion.recovered")), "the first session's motion");
  EXPECT_EQ(ReadFile(PathOf("m.motion.recovered-2")), "the second session's motion");
  EXPECT_NE(ReadFile(recovery).find("X_TPOS[mm]=5"), std::string::npos);
  EXPECT_NE(run.out.find(ReadFile(recovery)), std::string::npos);
}

// Each -o onto a link, and edit on a link: the link stays, the file it leads to is replaced.
TEST_F(HostFiles, WritingThroughALinkReplacesItsTargetAndKeepsTheLink) {
  fs::create_directory(PathOf("real"));
  const std::string motion = kExamples + "/circle.motion";
  const std::string gcode = Write("line.nc", "G0 X0 Y0\nG1 X10 F100\nG1 Y10\n");
  const std::vector<std::string> commands = {
      "translate " + motion,
      "report " + motion,
      "plot " + motion,
      "import-gcode " + gcode,
      "fit-arcs --tolerance 0.01 " + motion,
  };
  for (const std::string& command : commands) {
    Write("real/out", "old");
    fs::remove(PathOf("link"));
    fs::create_symlink("real/out", PathOf("link"));
    const HostRun run = Here(command + " -o link");
    EXPECT_EQ(run.status, 0) << command << "\n" << run.err;
    EXPECT_TRUE(fs::is_symlink(PathOf("link"))) << command;
    EXPECT_EQ(ReadFile(PathOf("real/out")), MotionHost(command).out) << command;
    EXPECT_EQ(std::distance(fs::directory_iterator(PathOf("real")), fs::directory_iterator()), 1) << command;
  }

  fs::create_symlink("real/new.motion", PathOf("dangling"));
  EXPECT_EQ(Here("translate " + motion + " -o dangling").status, 0);
  EXPECT_EQ(ReadFile(PathOf("real/new.motion")), MotionHost("translate " + motion).out);

  fs::create_symlink("loop-b", PathOf("loop-a"));
  fs::create_symlink("loop-a", PathOf("loop-b"));
  const HostRun loop = Here("translate " + motion + " -o loop-a");
  EXPECT_EQ(loop.status, 2);
  EXPECT_EQ(loop.err, "motion-host: cannot write \"loop-a\": a link in a loop of links\n");
  EXPECT_TRUE(fs::is_symlink(PathOf("loop-a")));
}

// The link is followed once, when the session starts: pointed elsewhere meanwhile, it does not
// take the edited motion with it.
TEST_F(HostFiles, EditWritesWhereTheLinkLedWhenItBegan) {
  Example("circle.motion");
  Example("slot.motion");
  fs::create_symlink("circle.motion", PathOf("link.motion"));
  Write("ok.script", kChangeAndOk);
  const HostRun run = Shell("cd " + directory.string() + " && mkfifo pipe.script && { " + kHost +
                            " edit --script pipe.script link.motion & exec 3>pipe.script; "
                            "ln -sfn slot.motion link.motion; cat ok.script >&3; exec 3>&-; wait $!; }");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("written circle.motion through the link link.motion"), std::string::npos) << run.err;
  EXPECT_NE(ReadFile(PathOf("circle.motion")), ReadFile(kExamples + "/circle.motion"));
  EXPECT_EQ(ReadFile(PathOf("slot.motion")), ReadFile(kExamples + "/slot.motion"));
  EXPECT_EQ(fs::read_symlink(PathOf("link.motion")), "slot.motion");
}

// A temporary of the target's name, quiet for long and held by no write, is what a killed write
// left: it goes with the next write. A fresh one, or one of another name or form, stays.
TEST_F(HostFiles, AStaleTemporaryGoesWithTheNextWriteToItsFile) {
  const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
  for (const char* name : {".out.motion.Ab3xYz", ".out.motion.Zz9Zz9", ".out.motion.Ab3xY", ".other.motion.Ab3xYz"}) {
    Write(name, "partial");
    fs::last_write_time(PathOf(name), old);
  }
  Write(".out.motion.fresh1", "a write in progress");
  ASSERT_EQ(MotionHost("translate " + kExamples + "/circle.motion -o " + PathOf("out.motion")).status, 0);
  EXPECT_FALSE(fs::exists(PathOf(".out.motion.Ab3xYz")));
  EXPECT_FALSE(fs::exists(PathOf(".out.motion.Zz9Zz9")));
  for (const char* kept : {".out.motion.Ab3xY", ".other.motion.Ab3xYz", ".out.motion.fresh1"})
    EXPECT_TRUE(fs::exists(PathOf(kept))) << kept;
}

TEST_F(HostFiles, TranslateAndReportWriteTheirOutputIntoAFile) {
  const std::string motion = kExamples + "/rounded_rectangle.motion";
  for (const std::string& command : {"translate " + motion, "report " + motion, "report --format csv " + motion}) {
    Write("out", "old");
    const HostRun run = MotionHost(command + " -o " + PathOf("out"));
    EXPECT_EQ(run.status, 0) << command << "\n" << run.err;
    EXPECT_EQ(run.out, "") << command;
    EXPECT_EQ(ReadFile(PathOf("out")), MotionHost(command).out) << command;
  }
  const HostRun refused =
      MotionHost("translate " + Write("new.motion", MotionHost("new").out) + " -o " + PathOf("out"));
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(ReadFile(PathOf("out")), MotionHost("report --format csv " + motion).out);
  const HostRun missing = MotionHost("report " + motion + " -o " + PathOf("missing/out"));
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("cannot write \"" + PathOf("missing/out") + "\""), std::string::npos) << missing.err;
}

// Below the drives' resolution a value is computing noise: the CSV report shows 0, as the
// table shows 0.0000.
TEST_F(HostFiles, TheCsvReportShowsNoiseBelowTheResolutionAsZero) {
  const HostRun circle = MotionHost("report --format csv " + kExamples + "/circle.motion");
  EXPECT_NE(circle.out.find("\n1,arc,0,0,157.0796327,157.0796327,90,90,0,"), std::string::npos) << circle.out;
  for (const auto& example : fs::directory_iterator(kExamples)) {
    if (example.path().extension() != ".motion") continue;
    const HostRun run = MotionHost("report --format csv " + example.path().string());
    EXPECT_EQ(run.out.find("e-"), std::string::npos) << example.path() << "\n" << run.out;
    EXPECT_EQ(run.out.find(",-0,"), std::string::npos) << example.path() << "\n" << run.out;
  }
}

TEST_F(HostFiles, AScriptReadsItsFilesFromItsOwnFolder) {
  const std::string motion = Example("slot.motion");
  for (const char* script : {"examples/imported-slot.script", "examples/previewed-slot.script"}) {
    fs::copy_file(kExamples + "/slot.motion", motion, fs::copy_options::overwrite_existing);
    const HostRun run =
        Shell("cd " + std::string(PROJECT_DIR) + " && " + kHost + " edit --script " + script + " " + motion);
    EXPECT_EQ(run.status, 0) << script << "\n" << run.out << run.err;
    EXPECT_EQ(run.out.find("failed"), std::string::npos) << script << "\n" << run.out;
  }
}

// A refused action is quoted short, with its control bytes escaped, as import-dxf quotes.
TEST_F(HostFiles, AScriptsUnknownActionIsQuotedShortAndEscaped) {
  const std::string script = Write("bad.script", "show\n\x1b[31mred\a" + std::string(10000, 'x') + " 1\n");
  const HostRun run = MotionHost("edit --script " + script + " " + Example("circle.motion"));
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "motion-host edit: " + script + ": line 2: unknown action \"\\x1B[31mred\\x07" +
                         std::string(31, 'x') + "...\"\n");
}

// Where no window can be shown, edit says that and nothing of an editor that would open.
TEST_F(HostFiles, EditWithoutADisplaySaysOnlyThatNoWindowCanBeShown) {
  const std::string faulty = Write("faulty.motion", ReadFile(kExamples + "/circle.motion") + "Radius[mm]=oops\n");
  const HostRun run = Shell("env -u DISPLAY -u WAYLAND_DISPLAY " + kHost + " edit " + faulty);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err.find("motion-host edit: "), 0u) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_NE(run.err.find("use --script\n"), std::string::npos) << run.err;
}

}  // namespace
