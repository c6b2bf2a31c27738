// Two cards made of every kind of control, over a str[N] layout and a
// char[N] layout, for the tests of the card pieces and the card contract.
#pragma once

#include "common/screens/carddescription.h"

// TRecProva, str[N] fields: options bound to flags and to a text, pick
// lists, a calendar date with its clear picture, amounts at 2 and 4
// decimals, a file slot, edits with input rules, a check box, a visible
// label, hidden labels; the coloured focus; two Enter chains.
const RecordLayout& TRecProva();
const CardDescription& strCard();
const CardRules& strRules();

// TRecProvaChar, char[N] fields: memos, tabbed sections, a flag, an amount
// of 4 decimals accepting fewer characters than its field, a calendar date;
// no Enter chain; a duplicate that leaves the archive alone.
const RecordLayout& TRecProvaChar();
const CardDescription& charCard();
