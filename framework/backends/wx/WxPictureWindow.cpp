#include "framework/backends/wx/WxPictureWindow.h"

#include <wx/dcbuffer.h>
#include <wx/display.h>
#include <wx/frame.h>
#include <wx/geometry.h>

#include <algorithm>
#include <cmath>

#include "framework/backends/wx/WxText.h"

namespace {

// Between the dialog and the picture beside it, in pixels.
constexpr int kGap = 8;
// Where the screen leaves less room beside the dialog, the picture covers part of the dialog
// rather than shrink below this width (pixels).
constexpr int kLeastWidth = 240;

wxColour Colour(COLORREF colour) { return {GetRValue(colour), GetGValue(colour), GetBValue(colour)}; }

wxPoint Pixel(CPicture::Point p) { return {wxRound(p.x), wxRound(p.y)}; }

wxPoint Rounded(wxPoint2DDouble p) { return {wxRound(p.m_x), wxRound(p.m_y)}; }

void DrawLine(wxDC& dc, const PictureView& view, const CPicture::Line& line) {
  if (line.points.size() < 2) return;
  std::vector<wxPoint> points;
  points.reserve(line.points.size());
  for (const CPicture::Point& p : line.points) points.push_back(Pixel(view.ToPixels(p)));
  wxPen pen(Colour(line.colour), std::max(1, wxRound(line.width)));
  pen.SetJoin(wxJOIN_ROUND);
  pen.SetCap(wxCAP_ROUND);
  dc.SetPen(pen);
  dc.DrawLines(static_cast<int>(points.size()), points.data());
}

void DrawMark(wxDC& dc, const PictureView& view, const CPicture::Mark& mark) {
  const wxPoint at = Pixel(view.ToPixels(mark.at));
  const int half = std::max(1, wxRound(mark.size / 2.0));
  const bool filled = mark.shape == CPicture::Shape::Dot;
  dc.SetPen(filled ? *wxTRANSPARENT_PEN : wxPen(Colour(mark.colour), 2));
  dc.SetBrush(filled ? wxBrush(Colour(mark.colour)) : *wxTRANSPARENT_BRUSH);
  if (mark.shape == CPicture::Shape::Square) {
    dc.DrawRectangle(at.x - half, at.y - half, 2 * half, 2 * half);
  } else if (mark.shape == CPicture::Shape::Arrow) {
    // The window's y runs down: the heading turns the other way.
    const wxPoint2DDouble ahead(std::cos(mark.heading) * half, -std::sin(mark.heading) * half);
    const wxPoint2DDouble side(-ahead.m_y * 0.6, ahead.m_x * 0.6);
    const wxPoint corners[] = {at + Rounded(ahead), at - Rounded(ahead) + Rounded(side),
                               at - Rounded(ahead) - Rounded(side)};
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(Colour(mark.colour)));
    dc.DrawPolygon(3, corners);
  } else {
    dc.DrawCircle(at, half);
  }
}

void DrawLabel(wxDC& dc, const PictureView& view, const CPicture::Label& label) {
  const CPicture::Point at = view.ToPixels(label.at);
  const wxString text = ToWx(label.text);
  const wxSize size = dc.GetTextExtent(text);
  dc.SetTextForeground(Colour(label.colour));
  dc.DrawText(text, wxRound(at.x + label.offset.x - size.x / 2.0), wxRound(at.y - label.offset.y - size.y / 2.0));
}

}  // namespace

class CWxPictureWindow::Frame : public wxFrame {
 public:
  explicit Frame(const CString& title) : wxFrame(nullptr, wxID_ANY, ToWx(title)) {
    m_pCanvas = new wxWindow(this, wxID_ANY);
    m_pCanvas->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_pCanvas->Bind(wxEVT_PAINT, &Frame::OnPaint, this);
    m_pCanvas->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
      event.Skip();
      m_pCanvas->Refresh();
    });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
      if (!event.CanVeto()) return event.Skip();
      event.Veto();
      Hide();
    });
  }

  void SetSource(PictureSource source) {
    m_Source = std::move(source);
    m_PictureSize = wxDefaultSize;
    m_pCanvas->Refresh();
  }

 private:
  void OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(m_pCanvas);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    const wxSize size = m_pCanvas->GetClientSize();
    if (size != m_PictureSize && m_Source) {
      m_Picture = m_Source(size.x, size.y);
      m_PictureSize = size;
    }
    const PictureView view(m_Picture, size.x, size.y);
    for (const CPicture::Line& line : m_Picture.lines) DrawLine(dc, view, line);
    for (const CPicture::Mark& mark : m_Picture.marks) DrawMark(dc, view, mark);
    for (const CPicture::Label& label : m_Picture.labels) DrawLabel(dc, view, label);
  }

  wxWindow* m_pCanvas;
  PictureSource m_Source;
  CPicture m_Picture;  // as the source drew it for m_PictureSize
  wxSize m_PictureSize = wxDefaultSize;
};

CWxPictureWindow::CWxPictureWindow(const CString& title, std::vector<CWxPictureWindow*>& open)
    : m_pFrame(new Frame(title)), m_Open(open) {
  m_Open.push_back(this);
}

CWxPictureWindow::~CWxPictureWindow() {
  m_Open.erase(std::remove(m_Open.begin(), m_Open.end(), this), m_Open.end());
  m_pFrame->Hide();
  m_pFrame->Destroy();
}

void CWxPictureWindow::Show(PictureSource source) { m_pFrame->SetSource(std::move(source)); }

void CWxPictureWindow::PlaceBeside(wxTopLevelWindow& dialog) {
  const wxRect screen = wxDisplay(&dialog).GetClientArea();
  const wxRect area = dialog.GetRect();
  const int width = std::max(kLeastWidth, std::min(area.height, screen.width - area.width - kGap));
  const int left = std::max(screen.x, screen.x + (screen.width - area.width - kGap - width) / 2);
  dialog.Move(left, area.y);
  m_pFrame->SetSize(std::min(left + area.width + kGap, screen.GetRight() + 1 - width), area.y, width, area.height);
  m_pFrame->ShowWithoutActivating();
}
