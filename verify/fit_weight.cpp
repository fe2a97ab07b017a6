#include "verify/verification.h"

fit_outcome fit_weight(const std::vector<double>& e1, const std::vector<double>& e2,
                       double& weight) {
    if (e1.size() < static_cast<std::size_t>(fewest_fit_pairs)) return fit_outcome::too_few_pairs;
    double num = 0, den = 0;
    for (std::size_t i = 0; i < e1.size(); ++i) {
        const double difference = e1[i] - e2[i];
        num += e2[i] * (e2[i] - e1[i]);
        den += difference * difference;
    }
    if (den == 0) return fit_outcome::any_weight;
    const double w = num / den;
    weight = w < 0 ? 0 : w > 1 ? 1 : w;
    return fit_outcome::fitted;
}
