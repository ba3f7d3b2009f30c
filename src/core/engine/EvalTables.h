// The fixed part of the engine's evaluation: what each piece is worth on each square and in
// hand. The position keeps their sum up to date as moves are made, so the evaluation reads it
// for free. Values are in centipawns from the lower side's view: the upper side's pieces count
// negative, on the square turned half a circle (a piece's worth depends only on where it stands
// relative to its own side).
#pragma once

#include "engine/Types.h"

#include <array>

namespace kelvore::engine::eval {

// Material on the board. The king's worth is in the game's end, not in a number; the prince
// counts as a piece here, and as a second life in the evaluation's royal term.
inline constexpr int kPieceValue[KIND_NB] = {
    0,    // none
    90,   // pawn
    310,  // lance
    360,  // knight
    480,  // silver
    550,  // gold
    780,  // bishop
    900,  // rook
    560,  // elephant
    560,  // tokin
    540,  // promoted lance
    540,  // promoted knight
    540,  // promoted silver
    0,    // king
    1050, // horse
    1250, // dragon
    520,  // prince
};

// A piece in hand can go anywhere: it is worth a little more than on the board.
inline constexpr int kHandValue[kHandKinds] = {0, 105, 340, 390, 530, 610, 860, 1000};

// Piece-square terms for the lower side, indexed [y - 1][x - 1] as the board is drawn (row 1,
// the far side, on top). Kept symmetric left to right.
using Table = int[9][9];

inline constexpr Table kPawnTable = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0},          {30, 30, 30, 30, 30, 30, 30, 30, 30},
    {24, 24, 24, 26, 26, 26, 24, 24, 24}, {12, 12, 14, 16, 16, 16, 14, 12, 12},
    {6, 6, 8, 8, 8, 8, 8, 6, 6},          {2, 2, 2, 2, 2, 2, 2, 2, 2},
    {0, 0, 0, 0, 0, 0, 0, 0, 0},          {-4, -4, -4, -4, -4, -4, -4, -4, -4},
    {0, 0, 0, 0, 0, 0, 0, 0, 0}};

inline constexpr Table kLanceTable = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0}, {4, 0, 0, 0, 0, 0, 0, 0, 4}, {6, 2, 2, 2, 2, 2, 2, 2, 6},
    {4, 0, 0, 0, 0, 0, 0, 0, 4}, {2, 0, 0, 0, 0, 0, 0, 0, 2}, {2, 0, 0, 0, 0, 0, 0, 0, 2},
    {4, 0, 0, 0, 0, 0, 0, 0, 4}, {4, 0, 0, 0, 0, 0, 0, 0, 4}, {6, 2, 0, 0, 0, 0, 0, 2, 6}};

inline constexpr Table kKnightTable = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0},           {0, 0, 0, 0, 0, 0, 0, 0, 0},
    {4, 12, 16, 18, 18, 18, 16, 12, 4},    {0, 10, 14, 16, 18, 16, 14, 10, 0},
    {-4, 6, 10, 12, 12, 12, 10, 6, -4},    {-8, 2, 6, 8, 8, 8, 6, 2, -8},
    {-10, 0, 2, 4, 4, 4, 2, 0, -10},       {-12, -4, 0, 0, 0, 0, 0, -4, -12},
    {-12, -6, -4, -4, -4, -4, -4, -6, -12}};

inline constexpr Table kSilverTable = {
    {4, 6, 8, 8, 8, 8, 8, 6, 4},           {6, 10, 12, 12, 12, 12, 12, 10, 6},
    {6, 12, 14, 16, 16, 16, 14, 12, 6},    {4, 10, 14, 16, 18, 16, 14, 10, 4},
    {0, 8, 12, 14, 16, 14, 12, 8, 0},      {-4, 4, 8, 10, 10, 10, 8, 4, -4},
    {-6, 2, 6, 6, 6, 6, 6, 2, -6},         {-8, 0, 2, 2, 2, 2, 2, 0, -8},
    {-12, -6, -4, -4, -4, -4, -4, -6, -12}};

inline constexpr Table kGoldTable = {
    {-6, 0, 2, 4, 4, 4, 2, 0, -6}, {-4, 2, 4, 6, 6, 6, 4, 2, -4}, {-2, 4, 6, 8, 8, 8, 6, 4, -2},
    {-4, 2, 4, 6, 6, 6, 4, 2, -4}, {-6, 0, 2, 4, 4, 4, 2, 0, -6}, {-6, 0, 2, 2, 2, 2, 2, 0, -6},
    {-4, 2, 4, 4, 4, 4, 4, 2, -4}, {-4, 2, 4, 4, 4, 4, 4, 2, -4}, {-8, -2, 0, 0, 0, 0, 0, -2, -8}};

inline constexpr Table kBishopTable = {
    {10, 10, 10, 10, 10, 10, 10, 10, 10}, {10, 14, 12, 12, 12, 12, 12, 14, 10},
    {10, 12, 16, 14, 14, 14, 16, 12, 10}, {2, 6, 8, 10, 10, 10, 8, 6, 2},
    {0, 4, 8, 10, 12, 10, 8, 4, 0},       {0, 4, 6, 8, 8, 8, 6, 4, 0},
    {0, 6, 6, 6, 6, 6, 6, 6, 0},          {0, 6, 4, 2, 2, 2, 4, 6, 0},
    {-4, 0, 0, 0, 0, 0, 0, 0, -4}};

inline constexpr Table kRookTable = {
    {24, 24, 24, 24, 24, 24, 24, 24, 24}, {24, 24, 24, 24, 24, 24, 24, 24, 24},
    {20, 20, 20, 20, 20, 20, 20, 20, 20}, {6, 6, 6, 6, 6, 6, 6, 6, 6},
    {4, 4, 4, 4, 4, 4, 4, 4, 4},          {2, 2, 2, 2, 2, 2, 2, 2, 2},
    {0, 0, 0, 0, 0, 0, 0, 0, 0},          {0, 0, 0, 0, 0, 0, 0, 0, 0},
    {-2, -2, -2, -2, -2, -2, -2, -2, -2}};

inline constexpr Table kPromotedTable = {
    {6, 8, 10, 10, 10, 10, 10, 8, 6},   {6, 10, 12, 12, 12, 12, 12, 10, 6},
    {6, 10, 14, 14, 14, 14, 14, 10, 6}, {4, 8, 12, 12, 12, 12, 12, 8, 4},
    {2, 6, 8, 8, 8, 8, 8, 6, 2},        {0, 4, 6, 6, 6, 6, 6, 4, 0},
    {-2, 2, 4, 4, 4, 4, 4, 2, -2},      {-4, 0, 2, 2, 2, 2, 2, 0, -4},
    {-6, -2, 0, 0, 0, 0, 0, -2, -6}};

inline constexpr Table kHorseTable = {
    {8, 10, 10, 10, 10, 10, 10, 10, 8},   {10, 14, 14, 14, 14, 14, 14, 14, 10},
    {10, 14, 16, 16, 16, 16, 16, 14, 10}, {6, 10, 12, 14, 14, 14, 12, 10, 6},
    {4, 8, 12, 14, 16, 14, 12, 8, 4},     {2, 8, 10, 12, 12, 12, 10, 8, 2},
    {2, 8, 10, 10, 10, 10, 10, 8, 2},     {2, 8, 8, 8, 8, 8, 8, 8, 2},
    {0, 4, 4, 4, 4, 4, 4, 4, 0}};

inline constexpr Table kDragonTable = {
    {20, 24, 24, 24, 24, 24, 24, 24, 20}, {22, 26, 26, 26, 26, 26, 26, 26, 22},
    {20, 24, 24, 24, 24, 24, 24, 24, 20}, {8, 12, 12, 12, 12, 12, 12, 12, 8},
    {6, 10, 10, 10, 10, 10, 10, 10, 6},   {4, 8, 8, 8, 8, 8, 8, 8, 4},
    {2, 6, 6, 6, 6, 6, 6, 6, 2},          {0, 4, 4, 4, 4, 4, 4, 4, 0},
    {0, 2, 2, 2, 2, 2, 2, 2, 0}};

// The elephant grows in worth as it nears the zone where it becomes a second royal piece.
inline constexpr Table kElephantTable = {
    {60, 64, 68, 70, 70, 70, 68, 64, 60}, {60, 64, 68, 70, 70, 70, 68, 64, 60},
    {60, 64, 68, 70, 70, 70, 68, 64, 60}, {40, 44, 46, 48, 48, 48, 46, 44, 40},
    {18, 22, 24, 26, 26, 26, 24, 22, 18}, {6, 10, 12, 14, 14, 14, 12, 10, 6},
    {0, 4, 6, 8, 8, 8, 6, 4, 0},          {-2, 2, 4, 6, 6, 6, 4, 2, -2},
    {-6, -2, 0, 0, 0, 0, 0, -2, -6}};

// Royal pieces are safest on their own back ranks, off the centre file.
inline constexpr Table kKingTable = {{-90, -90, -90, -90, -90, -90, -90, -90, -90},
                                     {-80, -80, -80, -80, -80, -80, -80, -80, -80},
                                     {-70, -70, -70, -70, -70, -70, -70, -70, -70},
                                     {-60, -60, -60, -60, -60, -60, -60, -60, -60},
                                     {-40, -40, -42, -44, -46, -44, -42, -40, -40},
                                     {-20, -18, -20, -24, -26, -24, -20, -18, -20},
                                     {-4, 0, -2, -6, -10, -6, -2, 0, -4},
                                     {6, 12, 10, 4, 0, 4, 10, 12, 6},
                                     {8, 14, 12, 6, 0, 6, 12, 14, 8}};

constexpr const Table& tableOf(int kind) {
    switch (kind) {
    case PAWN: return kPawnTable;
    case LANCE: return kLanceTable;
    case KNIGHT: return kKnightTable;
    case SILVER: return kSilverTable;
    case GOLD: return kGoldTable;
    case BISHOP: return kBishopTable;
    case ROOK: return kRookTable;
    case ELEPHANT: return kElephantTable;
    case HORSE: return kHorseTable;
    case DRAGON: return kDragonTable;
    case KING:
    case PRINCE: return kKingTable;
    default: return kPromotedTable;
    }
}

struct Tables {
    int pieceSquare[PIECE_NB][SQUARE_NB]; // lower view
    int hand[2][kHandKinds][128];         // worth of n pieces of a kind in hand, lower view
};

constexpr Tables makeTables() {
    Tables t{};
    for (int kind = 1; kind < KIND_NB; ++kind)
        for (int y = 1; y <= 9; ++y)
            for (int x = 1; x <= 9; ++x) {
                const int v = kPieceValue[kind] + tableOf(kind)[y - 1][x - 1];
                t.pieceSquare[makePiece(LOWER, kind)][square(x, y)] = v;
                t.pieceSquare[makePiece(UPPER, kind)][square(10 - x, 10 - y)] = -v;
            }
    for (int kind = 1; kind < kHandKinds; ++kind) {
        int sum = 0;
        for (int n = 1; n < 128; ++n) {
            // Each further piece of a kind is worth a little less: the first pawn in hand
            // matters most.
            const int step = kHandValue[kind] - (kind == PAWN ? 4 : 30) * (n - 1);
            sum += step > kHandValue[kind] / 2 ? step : kHandValue[kind] / 2;
            t.hand[LOWER][kind][n] = sum;
            t.hand[UPPER][kind][n] = -sum;
        }
    }
    return t;
}

inline constexpr Tables kTables = makeTables();

} // namespace kelvore::engine::eval
