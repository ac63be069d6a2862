#include "tests/plugin/ExportedFunctions.h"

#include <elf.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

template <typename T>
const T* At(const std::vector<char>& image, size_t offset) {
  return offset + sizeof(T) <= image.size() ? reinterpret_cast<const T*>(image.data() + offset) : nullptr;
}

}  // namespace

std::set<std::string> ExportedFunctions(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<char> image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::set<std::string> names;
  const auto* header = At<Elf64_Ehdr>(image, 0);
  if (header == nullptr) return names;
  for (int i = 0; i < header->e_shnum; ++i) {
    const auto* section = At<Elf64_Shdr>(image, header->e_shoff + i * sizeof(Elf64_Shdr));
    if (section == nullptr || section->sh_type != SHT_DYNSYM) continue;
    const auto* strings = At<Elf64_Shdr>(image, header->e_shoff + section->sh_link * sizeof(Elf64_Shdr));
    for (size_t offset = 0; offset + sizeof(Elf64_Sym) <= section->sh_size; offset += sizeof(Elf64_Sym)) {
      const auto* symbol = At<Elf64_Sym>(image, section->sh_offset + offset);
      const bool defined = symbol != nullptr && symbol->st_shndx != SHN_UNDEF;
      const bool visible = symbol != nullptr && ELF64_ST_BIND(symbol->st_info) != STB_LOCAL;
      if (defined && visible && ELF64_ST_TYPE(symbol->st_info) == STT_FUNC && strings != nullptr)
        names.insert(image.data() + strings->sh_offset + symbol->st_name);
    }
  }
  return names;
}
