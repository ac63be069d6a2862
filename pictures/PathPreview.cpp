#include "pictures/PathPreview.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "geometry/core/PathWalk.h"
#include "geometry/core/Tolerances.h"
#include "motionpath/MotionPath.h"
#include "pictures/PreviewPicture.h"

namespace {

// A bound as a person reads it: the noise that arcs leave in a coordinate that is 0 shows as 0.
double Shown(double value, double extent) { return std::abs(value) <= geometry::kSummingNoise * extent ? 0.0 : value; }

std::string Summarize(const CString& lengthUnit, const geometry::WalkSummary& walk, int current) {
  const size_t count = walk.segmentCount;
  const bool hasCurrent = current >= 0 && static_cast<size_t>(current) < count;
  const geometry::Bounds& bounds = walk.bounds;
  const char* unit = lengthUnit.GetString();
  const double extent = std::max(bounds.max.x - bounds.min.x, bounds.max.y - bounds.min.y);
  return fmt::format("{} segment{}, {}; X {:g} to {:g} {}, Y {:g} to {:g} {}", count, count == 1 ? "" : "s",
                     hasCurrent ? fmt::format("segment {} current", current + 1) : "none current",
                     Shown(bounds.min.x, extent), Shown(bounds.max.x, extent), unit, Shown(bounds.min.y, extent),
                     Shown(bounds.max.y, extent), unit);
}

}  // namespace

PathPreview::PathPreview(CMC_Setup& setup, CMC_Motion& motion, std::unique_ptr<CPictureWindow> window)
    : m_Setup(setup), m_Motion(motion), m_Window(std::move(window)), m_Previous(AfxSetContentListener(this)) {}

PathPreview::~PathPreview() { AfxSetContentListener(m_Previous); }

void PathPreview::OnContentChanged(CDialog&, const CString& content, int currentItem) {
  CString text = content;
  auto path = std::make_shared<MotionPath>();
  CString refusal;
  path->Read(m_Setup, m_Motion, text, refusal);
  const geometry::WalkSummary summary = geometry::Survey(path->Written());
  m_Summary = Summarize(path->lengthUnit, summary, currentItem);
  if (m_Window)
    m_Window->Show([path, summary, currentItem](int width, int height) {
      return PreviewPicture(*path, summary, currentItem, width, height);
    });
}
