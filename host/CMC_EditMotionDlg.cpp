#include "host/CMC_EditMotionDlg.h"

#include "host/CMC_ArrayParameter.h"
#include "host/CMC_Parameter.h"
#include "host/CMC_Setup.h"

CMC_EditMotionDlg::CMC_EditMotionDlg(CMC_Setup& setup, CMC_Motion& motion, CString& paramText, UINT templateId,
                                     CWnd* parent)
    : CDialog(templateId, parent), m_pParamText(&paramText), m_pSetup(&setup), m_pMotion(&motion) {}

CMC_EditMotionDlg::~CMC_EditMotionDlg() = default;

CMC_EditMotionInternalData* CMC_EditMotionDlg::GetInternalData() { return nullptr; }

BOOL CMC_EditMotionDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CDialog::OnCommand(wParam, lParam)) return TRUE;
  const CWnd* control = GetDlgItem(static_cast<int>(LOWORD(wParam)));
  const bool option = control != nullptr && (control->GetKind() == ControlKind::CheckBox ||
                                             control->GetKind() == ControlKind::RadioButton);
  if (HIWORD(wParam) != BN_CLICKED || !option) return FALSE;
  if (UpdateData(TRUE)) ShowOptionStates();
  return TRUE;
}

void CMC_EditMotionDlg::ShowOptionStates() {}

void CMC_EditMotionDlg::EnableChild(UINT id, BOOL enable) {
  if (CWnd* control = GetDlgItem(static_cast<int>(id))) control->EnableWindow(enable);
}

BOOL CMC_EditMotionDlg::IsChildEnabled(UINT id) const {
  const CWnd* control = GetDlgItem(static_cast<int>(id));
  return control != nullptr && control->IsWindowEnabled();
}

void CMC_EditMotionDlg::ShowChild(UINT id, BOOL show) {
  if (CWnd* control = GetDlgItem(static_cast<int>(id))) control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CMC_EditMotionDlg::SetChildText(UINT id, const char* text) { SetDlgItemText(static_cast<int>(id), text); }

CString CMC_EditMotionDlg::GetChildText(UINT id) const {
  CString text;
  GetDlgItemText(static_cast<int>(id), text);
  return text;
}

void CMC_EditMotionDlg::SetChildCheck(UINT id, int check) { CheckDlgButton(static_cast<int>(id), check); }

int CMC_EditMotionDlg::GetChildCheck(UINT id) const { return static_cast<int>(IsDlgButtonChecked(static_cast<int>(id))); }

void CMC_EditMotionDlg::SetComboIndex(UINT id, int index) {
  if (CWnd* combo = GetDlgItem(static_cast<int>(id))) combo->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index));
}

int CMC_EditMotionDlg::GetComboIndex(UINT id) const {
  const CWnd* combo = GetDlgItem(static_cast<int>(id));
  return combo != nullptr ? combo->GetCurSel() : -1;
}

void CMC_EditMotionDlg::ShowValueAndUnits(const CMC_ParameterBase& param, const CString& value, UINT editId,
                                          UINT comboId, BOOL enabled, BOOL withInternalUnits) {
  SetChildText(editId, value);
  EnableChild(editId, enabled);
  CWnd* combo = GetDlgItem(static_cast<int>(comboId));
  if (combo == nullptr) return;
  combo->SendMessage(CB_RESETCONTENT);
  const auto units = param.GetSetup().GetUnits().UnitsCompatibleWith(param.GetSelectedUnit(), withInternalUnits);
  for (const CMC_Unit* unit : units) {
    const LRESULT at = combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(unit->GetUnitName().GetString()));
    if (unit->GetUnitName() == param.GetSelectedUnit()) combo->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(at));
  }
  combo->EnableWindow(enabled);
}

void CMC_EditMotionDlg::ShowParameter(CMC_ArrayParameter* param, int index, UINT editId, UINT comboId, BOOL enabled,
                                      BOOL withInternalUnits) {
  if (param != nullptr)
    ShowValueAndUnits(*param, param->PrintValue(index), editId, comboId, enabled, withInternalUnits);
}

void CMC_EditMotionDlg::ShowParameter(CMC_Parameter* param, UINT editId, UINT comboId, BOOL enabled,
                                      BOOL withInternalUnits) {
  if (param != nullptr) ShowValueAndUnits(*param, param->PrintValue(), editId, comboId, enabled, withInternalUnits);
}

CString CMC_EditMotionDlg::ChosenUnit(UINT comboId) const {
  const CWnd* combo = GetDlgItem(static_cast<int>(comboId));
  if (combo == nullptr || combo->GetCurSel() < 0) return CString();
  return combo->GetItems()[static_cast<size_t>(combo->GetCurSel())].text;
}

// A combo without a choice leaves the unit as it is: "" is a unit of its own (plain numbers).
void CMC_EditMotionDlg::ChangeParameterUnit(CMC_ArrayParameter* param, int index, UINT editId, UINT comboId) {
  if (param == nullptr || GetComboIndex(comboId) < 0) return;
  param->ChangeUnit(ChosenUnit(comboId));
  if (editId != 0) SetChildText(editId, param->PrintValue(index));
}

void CMC_EditMotionDlg::ChangeParameterUnit(CMC_Parameter* param, UINT editId, UINT comboId) {
  if (param == nullptr || GetComboIndex(comboId) < 0) return;
  param->ChangeUnit(ChosenUnit(comboId));
  if (editId != 0) SetChildText(editId, param->PrintValue());
}
