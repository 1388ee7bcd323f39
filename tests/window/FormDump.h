// A built form as text: one line for the window, one per label. Kept beside the tests as the
// expected file, so that any change to the layout shows up as a readable diff.
#pragma once
#include <cstdio>
#include <sstream>
#include <string>

#include "Hex.h"
#include "platform/Platform.h"
#include "platform/Testing.h"
#include "window/FormLayout.h"
#include "window/TForm.h"

// Texts are code page 932 bytes; the dump shows them as the characters they are.
inline std::string Quoted(const std::string& bytes) {
  return "\"" + platform::AnsiToUtf8(bytes) + "\"";
}

inline std::string FileName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

inline std::string Describe(const TFont& font) {
  return Quoted(font.Name) + " " + std::to_string(font.Height) + (font.Bold ? " bold" : " regular") + " charset " +
         std::to_string(font.Charset) + " colour " + Hex(font.Color);
}

// The window's place is the one its layout asks for, scaled for the display.
inline std::string Dump(const TForm& form, const FormLayout& layout) {
  const FormLayout scaled = ScaledForDisplay(layout);
  std::ostringstream out;
  out << "window client " << form.ClientWidth() << "x" << form.ClientHeight() << " at " << scaled.left << ","
      << scaled.top << " colour " << Hex(form.Color()) << " font " << Describe(form.Font) << " from "
      << FileName(platform::testing::FontFileOf(*form.Font.Handle())) << "\n";
  const char* alignments[] = {"left", "right", "centre"};
  for (const auto& label : form.Labels()) {
    out << label->Name << ": " << label->Left() << "," << label->Top() << " " << label->Width() << "x"
        << label->Height() << " " << alignments[static_cast<int>(label->Alignment)]
        << (label->AutoSize ? " self-sizing" : " fixed") << " caption " << Quoted(label->Caption())
        << " colour " << Hex(label->Color()) << (label->ParentColor ? " (window)" : "") << " font "
        << Describe(label->Font()) << (label->ParentFont ? " (window)" : "") << "\n";
  }
  return out.str();
}
