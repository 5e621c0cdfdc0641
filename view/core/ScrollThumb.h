// The grid's own scroll column: two 30-pixel buttons and a 70-pixel thumb between them.
#pragma once

constexpr int kScrollButtonSize = 30;
constexpr int kScrollThumbHeight = 70;

// The scroll column, its buttons and thumb are shown only for a document taller than the client.
bool NeedsScrollColumn(int documentHeight, int clientHeight);

// The thumb's offset below the upper button: trunc(T / L x position) with the track length
// T = client height - 130 and the scrollable length L = (maximum - minimum + 1) - client height.
// A document that does not scroll (L <= 0) or a client too low for the track (T <= 0) puts the
// thumb at 0 instead of dividing by zero; the result stays within the track.
int ScrollThumbOffset(int clientHeight, int rangeMinimum, int rangeMaximum, int scrollPosition);
