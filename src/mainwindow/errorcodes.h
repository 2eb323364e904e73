#pragma once
// The program-wide status codes: 0 is success, the negative codes below have a text that
// the error report shows as the box's detail. Codes of the VPU pass through unchanged;
// a code without text (0, -1, the VPU's own codes, any positive value) is shown without
// detail.

#include <QString>

// The translated text of a code, or an empty string when the code has none.
QString ErrorCodeText(int iCode);
// The error box's detail for a code: "(Error Code = N) - " and the text, or empty.
QString ErrorCodeDetail(int iCode);
