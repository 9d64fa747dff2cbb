// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/RuntimeError.h"

namespace toolkit {

namespace {
const char *germanMessage(ErrorCode code)
{
    switch (code) {
    case ErrorCode::InvalidOperation:
        return "Ungültige Gleitkommaoperation";
    case ErrorCode::Overflow:
        return "Überlauf";
    case ErrorCode::DivisionByZero:
        return "Division durch Null";
    case ErrorCode::TypeMismatch:
        return "Typen unverträglich";
    case ErrorCode::ControlArrayElementMissing:
        return "Steuerelementfeld-Element existiert nicht";
    case ErrorCode::InvalidPropertyValue:
        return "Unzulässiger Eigenschaftswert";
    case ErrorCode::FormMinimizedOrMaximized:
        return "Ein minimiertes oder maximiertes Fenster kann nicht in der Größe verändert werden";
    }
    return "Unbekannter Fehler";
}
} // namespace

RuntimeError::RuntimeError(ErrorCode code)
    : m_code(code)
    , m_message(germanMessage(code))
{}

} // namespace toolkit
