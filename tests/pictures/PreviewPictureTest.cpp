#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "geometry/core/PathWalk.h"
#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "motionpath/MotionPath.h"
#include "pictures/PreviewPicture.h"

namespace {

constexpr COLORREF kCurrentColour = RGB(0xe6, 0x00, 0x7e);

struct ExamplePath {
  explicit ExamplePath(const char* name) {
    std::ifstream file(std::string(EXAMPLES_DIR) + "/" + name, std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    CString text(content.data(), static_cast<int>(content.size()));
    CString messages;
    EXPECT_TRUE(path.Read(project->GetController(), motion, text, messages)) << messages.GetString();
    summary = geometry::Survey(path.Written());
  }

  std::unique_ptr<CMC_Project> project = CMC_Project::CreateDemo();
  CMC_Motion motion{project->GetController()};
  MotionPath path;
  geometry::WalkSummary summary;
};

// The current segment's number is drawn once, in the current segment's colour: where the
// drawing numbered it already, and beside it where the drawing left it out (a small window).
TEST(PreviewPicture, DrawsTheCurrentSegmentsNumberOnceInItsColour) {
  const struct {
    const char* motion;
    int width, height;
  } cases[] = {{"rounded_rectangle.motion", 640, 480}, {"serpentine.motion", 640, 480}, {"serpentine.motion", 60, 40}};
  for (const auto& c : cases) {
    const ExamplePath example(c.motion);
    for (int current = 0; current < static_cast<int>(example.summary.segmentCount); ++current) {
      const CPicture picture = PreviewPicture(example.path, example.summary, current, c.width, c.height);
      int drawn = 0;
      for (const CPicture::Label& label : picture.labels) {
        if (label.text != std::to_string(current + 1).c_str()) continue;
        ++drawn;
        EXPECT_EQ(kCurrentColour, label.colour) << c.motion << ", segment " << current + 1;
      }
      EXPECT_EQ(1, drawn) << c.motion << " in " << c.width << " by " << c.height << ", segment " << current + 1;
    }
  }
}

}  // namespace
