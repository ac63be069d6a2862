#include "plugin/ModuleResources.h"

#include <vector>

#include "editor/EditorControlIds.h"
#include "editor/EditorTemplate.h"

namespace {

// 16 x 16 pixels, 4 bits per pixel (16 colours): a diagonal stroke on an empty field. The host
// shows it beside the motion kind; the module never loads it itself.
std::vector<BYTE> ModuleIcon() {
  constexpr int kSide = 16;
  std::vector<BYTE> pixels(kSide * kSide / 2, 0x00);
  for (int i = 0; i < kSide; ++i) pixels[(i * kSide + i) / 2] |= (i % 2 == 0) ? 0x90 : 0x09;
  return pixels;
}

}  // namespace

CResourceModule& ModuleResources::Build() {
  static CResourceModule resources;
  resources.SetVersionInfo(VersionInfo{"1.0.0.1", "1.0.0.1", "Zoventa DLL"});
  resources.AddNamedResource("MODULEICON", ModuleIcon());
  resources.AddDialogTemplate(IDD_VECTOR_MODE, &EditorTemplate());
  return resources;
}
