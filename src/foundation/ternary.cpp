// The insertion order of a ternary tree's batch: medians first, then a last pass for what is left.
#include "foundation/ternary.h"

#include "foundation/safeguards.h"

std::vector<int32_t> CTernaryBatchOrder(int32_t n)
{
    std::vector<int32_t> order;
    if (n <= 0)
        return order;
    order.reserve(n);
    std::vector<bool> inserted(n, false);
    int32_t start = n / 2;
    int32_t step = (n + 1) / 2;
    while (step > 0) {
        for (int32_t i = start; i < n; i += step) {
            if (!inserted[i]) {
                order.push_back(i);
                inserted[i] = true;
            }
        }
        start /= 2;
        step = step <= 2 ? step / 2 : (step + 1) / 2;
    }
    for (int32_t i = 0; i < n; ++i) {
        if (!inserted[i])
            order.push_back(i);
    }
    return order;
}
