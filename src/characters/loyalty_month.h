// CLoyaltyMonth: the span of the world's monthly loyalty pass, in which each liege's heirs are reckoned once
// for all the characters below him instead of once for each of them.
#pragma once

// Lives around a pass that changes nothing but loyalties, which no succession law reads; outside one the
// heirs are reckoned afresh at every question. One at a time.
class CLoyaltyMonth {
public:
    CLoyaltyMonth();
    ~CLoyaltyMonth();
    CLoyaltyMonth(const CLoyaltyMonth&) = delete;
    CLoyaltyMonth& operator=(const CLoyaltyMonth&) = delete;
};
