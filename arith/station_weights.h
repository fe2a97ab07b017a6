#pragma once

// Share of each station in the city value, in station order (KBKX, KHON, KMHE, KFSD).
// They add up to 1.000004146 and are used as they stand, never normalised.
inline constexpr double station_weights[4] = {0.353460408, 0.1793834, 0.215645378, 0.25151496};
