#pragma once

namespace model {

// The code a typed character keeps in the number boxes: Backspace and the ten digits pass,
// everything else (letters, signs, separators, control codes of shortcuts) becomes 0.
constexpr short typedKey(short keyAscii)
{
    constexpr short Backspace = 8;
    return keyAscii == Backspace || (keyAscii >= '0' && keyAscii <= '9') ? keyAscii : short{0};
}

} // namespace model
