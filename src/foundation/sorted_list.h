// CSortedList: a CList that Add keeps in ascending order by a comparer class, equal values in the
// order they were added. The list's own Append and Insert stay callable and do not sort.
#pragma once

#include "foundation/linked_list.h"

// Comparer: a class with a static bool IsLessThan(T a, T b), true when a must come before b.
template <class T, class Comparer> class CSortedList : public CList<T> {
public:
    using typename CList<T>::Iterator;
    using typename CList<T>::Param;

    // Links the item before the first value it is strictly less than, else at the tail; a linear walk.
    Iterator Add(Param item)
    {
        for (Iterator pos = this->GetHead(); !pos.IsEnd(); pos++) {
            if (Comparer::IsLessThan(item, *pos))
                return this->InsertBefore(item, pos);
        }
        return this->Append(item);
    }
};
