#include <cmath>
#include <nlohmann/json.hpp>
#include <string>

#include "framework/CFile.h"
#include "framework/CFileException.h"
#include "host/CMC_Project.h"

// A setup file describes a project as JSON:
//   controller: {name, motion_controller, load, counts_per_unit, sample_period_s, variables}
//   drives:     [{name, load, counts_per_unit, sample_period_s, variables, options}]
//   axes:       [{id, name, drive}]     (drive: a drive's name, or absent)
//   slaves:     [axis id or null, ...]  (one per controller slave, in slave order)
// Every fault names where in the file it is.

namespace {

using nlohmann::json;

// Thrown inside this file only and turned into the loader's message.
struct SetupError {
  std::string text;
};

// `where` is the JSON path of the fault ("drives[1].load"); empty for the file as a whole.
[[noreturn]] void Fail(const std::string& where, const std::string& problem) {
  throw SetupError{where.empty() ? problem : where + ": " + problem};
}

std::string PathOf(const std::string& where, const char* key) { return where.empty() ? key : where + "." + key; }

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
  if (object.contains("counts_per_unit"))
    resolution.countsPerUnit = PositiveNumberOf(object["counts_per_unit"], where + ".counts_per_unit");
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
  for (const auto& [name, value] : options.items())
    setup.SetIntOption(name.c_str(), IntegerOf(value, where + ".options." + name));
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
    return Load(json::parse(json.GetString(), json.GetString() + json.GetLength()));
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
