// Dialog data exchange with the numeric edits, without the window side: attaching
// a control once, and moving a value in (loading) or out (saving). A blank field
// saves as 0 or as the empty text, and the control's bounds have already kept any
// refused value from reaching it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "kvcore/controls/num_edit.h"
#include "kvcore/kvcore_api.h"

// Attaches the control to the item on first use; false when that fails, which fails the exchange.
KVCORE_API bool ExchangeNumControl(CBaseNumEdit& edit, std::string_view itemText, bool allowBlank);

KVCORE_API void ExchangeNumValue(bool saving, CBaseNumEdit& edit, int32_t& value);
KVCORE_API void ExchangeNumValue(bool saving, CBaseNumEdit& edit, uint32_t& value);
KVCORE_API void ExchangeNumValue(bool saving, CBaseNumEdit& edit, double& value);
// The text form: loading reads a number with a point or the control's decimal
// separator (so the control's own saved text reads back whole); saving gives
// GetUnFormatedString.
KVCORE_API void ExchangeNumValue(bool saving, CBaseNumEdit& edit, std::string& value);

// The leading number of a text: an optional sign, digits, and a '.' or decimalSep as
// the point; what follows is ignored and a text without digits gives 0.
KVCORE_API double ReadLeadingNumber(std::string_view text, char decimalSep);
