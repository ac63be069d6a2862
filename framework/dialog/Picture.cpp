#include "framework/dialog/Picture.h"

#include <algorithm>
#include <cmath>
#include <limits>

PictureView::PictureView(const CPicture& picture, int width, int height) {
  const double extentX = picture.max.x - picture.min.x;
  const double extentY = picture.max.y - picture.min.y;
  const double roomX = std::max(1.0, width - 2.0 * kMargin);
  const double roomY = std::max(1.0, height - 2.0 * kMargin);
  const double scaleX = extentX > 0.0 ? roomX / extentX : std::numeric_limits<double>::infinity();
  const double scaleY = extentY > 0.0 ? roomY / extentY : std::numeric_limits<double>::infinity();
  m_Scale = std::min(scaleX, scaleY);
  if (!std::isfinite(m_Scale)) m_Scale = 1.0;
  m_Centre = {(picture.min.x + picture.max.x) / 2.0, (picture.min.y + picture.max.y) / 2.0};
  m_PixelCentre = {width / 2.0, height / 2.0};
}

CPicture::Point PictureView::ToPixels(CPicture::Point p) const {
  return {m_PixelCentre.x + (p.x - m_Centre.x) * m_Scale, m_PixelCentre.y - (p.y - m_Centre.y) * m_Scale};
}

CPictureWindow::~CPictureWindow() = default;
