#pragma once
// Typing rules of text boxes, applied to any QLineEdit (also the editor of an editable
// drop-down or of a grid cell). Rules combine; pasted text obeys them too.
//
//   shell::makeDigitsOnly(priceBox);       // 0-9, "-" and "." only
//   shell::makeUpperCase(plateBox);        // letters become capitals as typed
//   shell::limitGbkBytes(nameBox, 8);      // at most 8 GBK bytes (four Chinese characters)

class QLineEdit;

namespace shell {

void makeDigitsOnly(QLineEdit *edit);
void makeUpperCase(QLineEdit *edit);
void limitGbkBytes(QLineEdit *edit, int bytes);

} // namespace shell
