#pragma once

// The orders the image list puts its rows in: by one text key per row, compared in natural
// order (digit runs by value, letters without case), and the keys that move dragged rows.

#include <string>
#include <vector>

// The sort state after a click on header column given the current state: the negative of the
// state when column is its absolute value, else column. Positive means ascending.
int NextSortState(int column, int sortState);

// The row order that sorts keys: element i is the index of the key that goes to place i. Equal
// keys keep their order; descending reverses the comparison.
std::vector<int> NaturalOrder(const std::vector<std::wstring>& keys, bool descending);

// The keys that move the rows marked in moving directly before row target (0-based), keeping
// their relative order: a moving row gets "target:k" (k counting moving rows from 1), every
// other row its 1-based position. A target at or past the row count moves them to the end.
std::vector<std::wstring> MoveKeys(const std::vector<bool>& moving, int target);
