#include <algorithm>
#include <array>
#include <cmath>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <vector>

#include "common/QuotedText.h"
#include "framework/CFile.h"
#include "framework/CFileException.h"
#include "host/CMC_Project.h"

// A setup file describes a project as JSON:
//   controller: {name, motion_controller, load, counts_per_unit, sample_period_s, variables}
//   drives:     [{name, load, counts_per_unit, sample_period_s, variables, options}]
//   axes:       [{id, name, drive}]     (drive: a drive's name, or absent)
//   slaves:     [axis id or null, ...]  (one per controller slave, in slave order)
// Every fault names where in the file it is. The file is read strictly: a key it does not know
// or gives twice is refused rather than left to a default, as a misspelt key would otherwise
// change the program without a word.

namespace {

using nlohmann::json;

constexpr long long kMostCountsPerUnit = 2147483647;

// Thrown inside this file only and turned into the loader's message.
struct SetupError {
  std::string text;
};

// `where` is the JSON path of the fault ("drives[1].load"); empty for the file as a whole.
[[noreturn]] void Fail(const std::string& where, const std::string& problem) {
  throw SetupError{where.empty() ? problem : where + ": " + problem};
}

// A key as a JSON path shows it: a plain name as it is, any other in quotes, cut and escaped.
std::string KeyInPath(std::string_view key) {
  const bool plain = !key.empty() && key.size() <= 40 && std::all_of(key.begin(), key.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
  });
  return plain ? std::string(key) : QuotedText(key);
}

std::string PathOf(const std::string& where, std::string_view key) {
  return where.empty() ? KeyInPath(key) : where + "." + KeyInPath(key);
}

using KnownKeys = std::span<const char* const>;

constexpr const char* kFileKeys[] = {"controller", "drives", "axes", "slaves"};
constexpr const char* kControllerKeys[] = {
    "name", "motion_controller", "load", "counts_per_unit", "sample_period_s", "variables", "options"};
constexpr const char* kDriveKeys[] = {"name", "load", "counts_per_unit", "sample_period_s", "variables", "options"};
constexpr const char* kAxisKeys[] = {"id", "name", "drive"};
// The integer options the host's setups carry.
constexpr const char* kOptionNames[] = {"IsClosedPosition"};

// Edits from one text to the other, a swap of neighbours counting as one (optimal string
// alignment), letters compared without their case. Keys are short: the table is tiny.
size_t EditDistance(std::string_view a, std::string_view b) {
  const auto same = [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  };
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i)
    for (size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (same(a[i - 1], b[j - 1]) ? 0 : 1)});
      if (i > 1 && j > 1 && same(a[i - 1], b[j - 2]) && same(a[i - 2], b[j - 1]))
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  return d[a.size()][b.size()];
}

// "did you mean \"counts_per_unit\"?" for a key a few edits from a known one (a third of its
// length, at least one); else the known keys.
std::string Hint(std::string_view key, KnownKeys known) {
  const char* nearest = nullptr;
  size_t best = 0;
  if (key.size() <= 64)
    for (const char* candidate : known) {
      const size_t distance = EditDistance(key, candidate);
      if (distance <= std::max<size_t>(1, std::string_view(candidate).size() / 3) && (!nearest || distance < best))
        nearest = candidate, best = distance;
    }
  if (nearest != nullptr) return std::string("did you mean \"") + nearest + "\"?";
  std::string names;
  for (const char* name : known) names += (names.empty() ? "" : ", ") + std::string(name);
  return "known: " + names;
}

void RequireKnownKeys(const json& object, const std::string& where, KnownKeys known, const char* what = "key") {
  for (const auto& item : object.items()) {
    const std::string& key = item.key();
    if (std::none_of(known.begin(), known.end(), [&key](const char* name) { return key == name; }))
      Fail(PathOf(where, key), std::string("unknown ") + what + "; " + Hint(key, known));
  }
}

// The document as the parser reads it, built here rather than by nlohmann, which would keep the
// last of two equal keys: the file must not have two, as which one its writer meant would be a
// guess. (nlohmann's own parser with a callback would see them too, but it takes time in the
// square of a list's length.)
class StrictDocument : public nlohmann::json_sax<json> {
 public:
  json Take() { return std::move(m_Root); }

  bool null() override { return Add(nullptr); }
  bool boolean(bool value) override { return Add(value); }
  bool number_integer(number_integer_t value) override { return Add(value); }
  bool number_unsigned(number_unsigned_t value) override { return Add(value); }
  bool number_float(number_float_t value, const string_t&) override { return Add(value); }
  bool string(string_t& value) override { return Add(std::move(value)); }
  bool binary(binary_t& value) override { return Add(json::binary(std::move(value))); }
  bool start_object(std::size_t) override { return Open(json::object()); }
  bool start_array(std::size_t) override { return Open(json::array()); }
  bool end_object() override { return Close(); }
  bool end_array() override { return Close(); }

  bool key(string_t& key) override {
    if (m_Open.back().container->contains(key)) Fail(PathOf(Path(), key), "is given twice");
    m_Key = std::move(key);
    return true;
  }

  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& fault) override { throw fault; }

 private:
  // An object or a list being read, and the key it stands at in the object around it.
  struct Container {
    json* container;
    std::string key;
  };

  // The value in its place: the document, the next element of a list, or the member of the key
  // just read. A container's place stays put while it is open, as its parent grows only after.
  json& Place(json value) {
    if (m_Open.empty()) return m_Root = std::move(value);
    json& parent = *m_Open.back().container;
    if (parent.is_array()) return parent.emplace_back(std::move(value));
    return parent[m_Key] = std::move(value);
  }

  bool Add(json value) {
    Place(std::move(value));
    return true;
  }

  bool Open(json container) {
    std::string key = !m_Open.empty() && m_Open.back().container->is_object() ? m_Key : std::string();
    json& placed = Place(std::move(container));
    m_Open.push_back({&placed, std::move(key)});
    return true;
  }

  bool Close() {
    m_Open.pop_back();
    return true;
  }

  // Where the innermost open object is, as a JSON path.
  std::string Path() const {
    std::string path;
    for (size_t i = 1; i < m_Open.size(); ++i)
      path = m_Open[i - 1].container->is_array()
                 ? path + "[" + std::to_string(m_Open[i - 1].container->size() - 1) + "]"
                 : PathOf(path, m_Open[i].key);
    return path;
  }

  json m_Root;
  std::vector<Container> m_Open;
  std::string m_Key;
};

const json& Member(const json& object, const std::string& where, const char* key) {
  const auto found = object.find(key);
  if (found == object.end()) Fail(where, std::string("\"") + key + "\" is missing");
  return *found;
}

void RequireObject(const json& value, const std::string& where) {
  if (!value.is_object()) Fail(where, "must be an object, not " + value.dump());
}

std::string StringOf(const json& value, const std::string& where) {
  if (!value.is_string()) Fail(where, "must be a text, not " + value.dump());
  const std::string text = value.get<std::string>();
  if (text.find('\0') != std::string::npos) Fail(where, "must not contain a NUL character");
  return text;
}

// A number above the signed 64-bit range is held unsigned; reading it as signed would wrap.
bool FitsInt32(const json& value) {
  if (value.is_number_unsigned()) return value.get<unsigned long long>() <= INT32_MAX;
  return value.is_number_integer() && value.get<long long>() >= INT32_MIN && value.get<long long>() <= INT32_MAX;
}

int IntegerOf(const json& value, const std::string& where) {
  if (!FitsInt32(value)) Fail(where, "must be a whole number within 32 bits, not " + value.dump());
  return static_cast<int>(value.get<long long>());
}

double PositiveNumberOf(const json& value, const std::string& where) {
  if (!value.is_number() || !(value.get<double>() > 0.0) || !std::isfinite(value.get<double>()))
    Fail(where, "must be a positive number, not " + value.dump());
  return value.get<double>();
}

bool BooleanOf(const json& value, const std::string& where) {
  if (!value.is_boolean()) Fail(where, "must be true or false, not " + value.dump());
  return value.get<bool>();
}

const json& ArrayMember(const json& object, const std::string& where, const char* key) {
  const json& value = Member(object, where, key);
  if (!value.is_array()) Fail(PathOf(where, key), "must be a list, not " + value.dump());
  return value;
}

// The key whose number makes an internal unit overflow or vanish, or null. One count comes from
// counts_per_unit alone; the units of speed and acceleration also divide by the sample period.
const char* KeyBreakingInternalUnits(const DriveResolution& resolution, const json& object) {
  const CMC_Units units(resolution);
  const auto usable = [&](PhysicalQuantity quantity) {
    return std::isnormal(units.InternalUnitOf(units.DimensionOf(quantity))->GetSizeInBaseUnit());
  };
  if (!usable(PhysicalQuantity::Position)) return "counts_per_unit";
  if (usable(PhysicalQuantity::Speed) && usable(PhysicalQuantity::Acceleration)) return nullptr;
  return object.contains("sample_period_s") ? "sample_period_s" : "counts_per_unit";
}

DriveResolution ResolutionOf(const json& object, const std::string& where) {
  DriveResolution resolution;
  if (object.contains("load")) {
    const std::string load = StringOf(object["load"], where + ".load");
    if (load != "linear" && load != "rotary")
      Fail(where + ".load", "must be \"linear\" or \"rotary\", not \"" + load + "\"");
    resolution.load = load == "linear" ? LoadKind::Linear : LoadKind::Rotary;
  }
  if (object.contains("counts_per_unit")) {
    resolution.countsPerUnit = PositiveNumberOf(object["counts_per_unit"], where + ".counts_per_unit");
    // A drive keeps its position in 32-bit counts (TPOS): one unit must fit, or no motion can.
    if (resolution.countsPerUnit > kMostCountsPerUnit)
      Fail(where + ".counts_per_unit", object["counts_per_unit"].dump() +
                                           " is more than a drive's 32-bit position holds " + "in one unit (at most " +
                                           std::to_string(kMostCountsPerUnit) + " counts)");
  }
  if (object.contains("sample_period_s"))
    resolution.samplePeriod = PositiveNumberOf(object["sample_period_s"], where + ".sample_period_s");
  // Numbers JSON allows can still do this, and no value can be kept in a unit of size 0 or infinity.
  if (const char* key = KeyBreakingInternalUnits(resolution, object))
    Fail(PathOf(where, key), object[key].dump() + " makes the internal units too large or too small to compute with");
  return resolution;
}

void AddVariables(CMC_Setup& setup, const json& object, const std::string& where,
                  std::initializer_list<const char*> defaults) {
  if (!object.contains("variables")) {
    for (const char* name : defaults) setup.AddVariable(name);
    return;
  }
  const json& list = ArrayMember(object, where, "variables");
  for (size_t i = 0; i < list.size(); ++i) {
    const std::string at = where + ".variables[" + std::to_string(i) + "]";
    const std::string name = StringOf(list[i], at);
    if (!setup.AddVariable(name.c_str()))
      Fail(at, "\"" + name + "\" is unknown or listed twice (known: " + VariableCatalog::NamesText().GetString() + ")");
  }
}

void AddOptions(CMC_Setup& setup, const json& object, const std::string& where) {
  if (!object.contains("options")) return;
  const json& options = object["options"];
  RequireObject(options, where + ".options");
  RequireKnownKeys(options, where + ".options", kOptionNames, "option");
  for (const auto& [name, value] : options.items())
    setup.SetIntOption(name.c_str(), IntegerOf(value, PathOf(where + ".options", name)));
}

std::string NameOf(const json& object, const std::string& where, const CMC_Project& project) {
  const std::string name = StringOf(Member(object, where, "name"), where + ".name");
  if (project.FindSetup(name.c_str()) != nullptr) Fail(where + ".name", "\"" + name + "\" is used twice");
  return name;
}

void LoadController(CMC_Project& project, const json& root) {
  const std::string where = "controller";
  const json& object = Member(root, "", "controller");
  RequireObject(object, where);
  RequireKnownKeys(object, where, kControllerKeys);
  const bool isController = object.contains("motion_controller")
                                ? BooleanOf(object["motion_controller"], where + ".motion_controller")
                                : true;
  CMC_Setup& controller =
      project.AddSetup(NameOf(object, where, project).c_str(), isController, ResolutionOf(object, where));
  AddVariables(controller, object, where, {"CACC", "CSPD", "TPOS", "NLINESTAN"});
  AddOptions(controller, object, where);
  project.SetController(controller);
}

void LoadDrives(CMC_Project& project, const json& root) {
  if (!root.contains("drives")) return;
  const json& drives = ArrayMember(root, "", "drives");
  for (size_t i = 0; i < drives.size(); ++i) {
    const std::string where = "drives[" + std::to_string(i) + "]";
    RequireObject(drives[i], where);
    RequireKnownKeys(drives[i], where, kDriveKeys);
    CMC_Setup& drive =
        project.AddSetup(NameOf(drives[i], where, project).c_str(), false, ResolutionOf(drives[i], where));
    AddVariables(drive, drives[i], where, {"TPOS"});
    AddOptions(drive, drives[i], where);
  }
}

void LoadAxes(CMC_Project& project, const json& root) {
  if (!root.contains("axes")) return;
  const json& axes = ArrayMember(root, "", "axes");
  for (size_t i = 0; i < axes.size(); ++i) {
    const std::string where = "axes[" + std::to_string(i) + "]";
    RequireObject(axes[i], where);
    RequireKnownKeys(axes[i], where, kAxisKeys);
    const int id = IntegerOf(Member(axes[i], where, "id"), where + ".id");
    if (project.FindAxis(id) != nullptr) Fail(where + ".id", std::to_string(id) + " is used twice");
    const std::string name = axes[i].contains("name") ? StringOf(axes[i]["name"], where + ".name") : std::to_string(id);
    CMC_Setup* drive = nullptr;
    if (axes[i].contains("drive")) {
      const std::string driveName = StringOf(axes[i]["drive"], where + ".drive");
      drive = project.FindSetup(driveName.c_str());
      if (drive == nullptr || drive == &project.GetController())
        Fail(where + ".drive", "no drive is named \"" + driveName + "\"");
    }
    project.AddAxis(id, name.c_str(), drive);
  }
}

void LoadSlaves(CMC_Project& project, const json& root) {
  if (!root.contains("slaves")) return;
  const json& slaves = ArrayMember(root, "", "slaves");
  for (size_t i = 0; i < slaves.size(); ++i) {
    const std::string where = "slaves[" + std::to_string(i) + "]";
    const std::optional<int> axis =
        slaves[i].is_null() ? std::nullopt : std::optional<int>(IntegerOf(slaves[i], where));
    if (axis && project.FindAxis(*axis) == nullptr) Fail(where, "no axis has the id " + std::to_string(*axis));
    if (!project.GetController().AddSlave(axis)) Fail(where, "a controller has at most 255 slaves");
  }
}

std::unique_ptr<CMC_Project> Load(const json& root) {
  if (!root.is_object()) Fail("", "the file must hold one JSON object");
  RequireKnownKeys(root, "", kFileKeys);
  auto project = std::make_unique<CMC_Project>();
  LoadController(*project, root);
  LoadDrives(*project, root);
  LoadAxes(*project, root);
  LoadSlaves(*project, root);
  return project;
}

Fault Describe(const char* sourceName, const std::string& problem) {
  return {0, std::string("setup file \"") + (sourceName != nullptr ? sourceName : "(unnamed)") + "\": " + problem};
}

}  // namespace

Result<std::unique_ptr<CMC_Project>> CMC_Project::LoadFromJsonText(const CString& json, const char* sourceName) {
  try {
    StrictDocument document;
    nlohmann::json::sax_parse(json.GetString(), json.GetString() + json.GetLength(), &document);
    return Load(document.Take());
  } catch (const json::exception& fault) {
    return Describe(sourceName, std::string("not valid JSON: ") + fault.what());
  } catch (const SetupError& fault) {
    return Describe(sourceName, fault.text);
  }
}

Result<std::unique_ptr<CMC_Project>> CMC_Project::LoadFromFile(const char* path) {
  CString text;
  try {
    text = CFile(path, CFile::modeRead | CFile::typeBinary).ReadToEnd();
  } catch (const CFileException& fault) {
    return Describe(path, fault.GetErrorMessage().GetString());
  }
  return LoadFromJsonText(text, path);
}
