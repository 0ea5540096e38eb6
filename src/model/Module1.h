#pragma once

// The person's measurements, shared by every window for the life of the program.
// Only the evaluation writes them; the reference windows and the blink timer read them.
namespace Module1 {
extern float Vyska;    // height, centimetres
extern float Hmotnost; // weight, kilograms
} // namespace Module1
