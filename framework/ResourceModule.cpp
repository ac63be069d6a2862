#include "framework/ResourceModule.h"

#include <utility>

namespace {

template <typename Map, typename Key>
const typename Map::mapped_type* findEntry(const Map& map, const Key& key) {
  const auto entry = map.find(key);
  return entry == map.end() ? nullptr : &entry->second;
}

}  // namespace

void CResourceModule::AddString(UINT id, const char* text) { m_Strings.insert_or_assign(id, CString(text)); }

void CResourceModule::AddDialogTemplate(UINT id, const DialogTemplate* dialogTemplate) {
  m_DialogTemplates.insert_or_assign(id, dialogTemplate);
}

void CResourceModule::AddNamedResource(const char* name, std::vector<BYTE> bytes) {
  if (name) m_NamedResources.insert_or_assign(CString(name), std::move(bytes));
}

void CResourceModule::SetVersionInfo(VersionInfo versionInfo) { m_VersionInfo = std::move(versionInfo); }

const char* CResourceModule::FindString(UINT id) const {
  const CString* text = findEntry(m_Strings, id);
  return text ? text->GetString() : nullptr;
}

const DialogTemplate* CResourceModule::FindDialogTemplate(UINT id) const {
  const DialogTemplate* const* dialogTemplate = findEntry(m_DialogTemplates, id);
  return dialogTemplate ? *dialogTemplate : nullptr;
}

const std::vector<BYTE>* CResourceModule::FindNamedResource(const char* name) const {
  return name ? findEntry(m_NamedResources, name) : nullptr;
}

const VersionInfo& CResourceModule::GetVersionInfo() const { return m_VersionInfo; }
