// The records the batched kernel is compared with the engine on, one per
// formula: the first seed (from 1) whose record passes batch_faithfulness
// --search, which takes only records whose engine picture is a property of
// the record, with the batch's correlation at 0.995 or more.
#pragma once

#include <cstdint>

namespace zephyrin::testing {

struct FaithfulnessCase {
    int formula;
    std::uint64_t seed;  // of the random start
    bool found = false;  // the start Find Attractor finds from the seed
};

inline constexpr FaithfulnessCase kFaithfulnessCases[] = {
    {1, 9},    {2, 3},        {3, 13, true}, {4, 2},         {5, 3},        {6, 15},   {7, 1, true},
    {8, 7},    {9, 18},       {10, 7, true}, {11, 1, true},  {12, 20},      {13, 1},   {14, 2},
    {15, 4},   {16, 14},      {17, 1, true}, {18, 20},       {19, 51},      {20, 132}, {22, 9},
    {23, 1},   {24, 1},       {25, 1},       {26, 1},        {27, 1},       {28, 1},   {29, 1},
    {30, 1},   {31, 1},       {32, 1, true}, {33, 1},        {34, 1, true}, {35, 1},   {36, 1, true},
    {37, 1},   {38, 1, true}, {39, 1},       {40, 1, true},  {41, 13},      {42, 2},   {43, 2},
    {44, 3},   {45, 4},       {46, 14},      {47, 1},        {48, 20},      {49, 28},  {50, 28},
    {51, 239}, {52, 6},       {53, 14},      {54, 12, true}, {55, 1},       {60, 11},  {61, 2, true},
    {62, 10},  {63, 3, true}, {64, 6},       {65, 27},       {66, 2},       {70, 1},   {71, 1},
    {72, 3},
};

// No record of formula 21 was found (random starts 1 to 2000, found starts 1
// to 400): its engine picture changes when the start moves by 1e-9 or keeps
// changing after millions of iterations, so there is no one picture of the
// record to compare with.
inline constexpr int kNoFairRecord[] = {21};

}  // namespace zephyrin::testing
