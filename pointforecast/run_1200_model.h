#pragma once

// Menu option 4: asks for a bulletin file and an ETA weight, prints the day table and
// writes the report file.
void run_1200_model();
