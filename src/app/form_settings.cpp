#include "app/form_settings.h"

#include "settings/settings_values.h"

namespace {
constexpr std::u16string_view kForm = u"Form";
}

FormSettings LoadFormSettings(const ISettingsStore& settings) {
  FormSettings form;
  form.left = ReadInt(settings, kForm, u"Left", 0);
  form.top = ReadInt(settings, kForm, u"Top", 0);
  form.width = ReadInt(settings, kForm, u"Width", 128);
  form.height = ReadInt(settings, kForm, u"Height", 128);
  form.transparent = ReadBool(settings, kForm, u"Transparent", false);
  form.stayOnTop = ReadBool(settings, kForm, u"StayOnTop", true);
  return form;
}

void SaveFormSettings(ISettingsStore& settings, const RECT& window,
                      bool transparent, bool stayOnTop) {
  WriteInt(settings, kForm, u"Left", window.left);
  WriteInt(settings, kForm, u"Top", window.top);
  WriteInt(settings, kForm, u"Width", window.right - window.left);
  WriteInt(settings, kForm, u"Height", window.bottom - window.top);
  WriteBool(settings, kForm, u"Transparent", transparent);
  WriteBool(settings, kForm, u"StayOnTop", stayOnTop);
}
