// Piece codes. The magnitude is the kind (and its material value), the promoted form is the kind
// plus one, and the sign is the side: negative for the lower side, positive for the upper side.
// 0 is an empty square.
#pragma once

namespace kelvore::piece {

inline constexpr int EMPTY = 0;

inline constexpr int HU = 10;    // pawn
inline constexpr int TO = 11;    // tokin
inline constexpr int KYOU = 20;  // lance
inline constexpr int NKYOU = 21; // promoted lance
inline constexpr int KEI = 30;   // knight
inline constexpr int NKEI = 31;  // promoted knight
inline constexpr int GIN = 100;  // silver
inline constexpr int NGIN = 101; // promoted silver
inline constexpr int KIN = 110;  // gold
inline constexpr int NKIN = 111; // exists as a code, but gold never promotes
inline constexpr int KAKU = 800; // bishop
inline constexpr int UMA = 801;  // horse
inline constexpr int SYA = 900;  // rook
inline constexpr int RYU = 901;  // dragon
inline constexpr int ZOU = 910;  // drunk elephant
inline constexpr int KO = 911;   // crown prince
inline constexpr int OU = 950;   // king

// The kind of each hand slot 1..7 (slot 0 unused).
inline constexpr int kSlotKind[8] = {0, HU, KYOU, KEI, GIN, KIN, KAKU, SYA};

// The code of a promotable piece once promoted: the kind plus one, on the same side.
constexpr int promotedCode(int code) {
    return code < 0 ? code - 1 : code + 1;
}

// The hand slot of a code of either sign, 0 for the elephant, prince and king (and non-pieces).
constexpr int handSlot(int code) {
    const int k = code < 0 ? -code : code;
    switch (k) {
    case HU:
    case TO: return 1;
    case KYOU:
    case NKYOU: return 2;
    case KEI:
    case NKEI: return 3;
    case GIN:
    case NGIN: return 4;
    case KIN:
    case NKIN: return 5;
    case KAKU:
    case UMA: return 6;
    case SYA:
    case RYU: return 7;
    default: return 0;
    }
}

// True for the 34 codes a square or a move may carry.
constexpr bool isPieceCode(int code) {
    const int k = code < 0 ? -code : code;
    switch (k) {
    case HU:
    case TO:
    case KYOU:
    case NKYOU:
    case KEI:
    case NKEI:
    case GIN:
    case NGIN:
    case KIN:
    case NKIN:
    case KAKU:
    case UMA:
    case SYA:
    case RYU:
    case ZOU:
    case KO:
    case OU: return true;
    default: return false;
    }
}

// True when a move of `code` from (fromX, fromY) to row toY may promote: pawns, lances and
// knights arriving in the far three rows, silvers, bishops, rooks and elephants entering, moving
// in or leaving them. The lower side's far rows are 1..3, the upper side's 7..9. A drop (fromX
// -1 or 11), a gold, a king and every promoted piece never promote.
constexpr bool mayPromote(int fromX, int fromY, int toY, int code) {
    if (fromX == -1 || fromX == 11) return false;
    switch (code) {
    case -HU:
    case -KYOU:
    case -KEI: return toY < 4;
    case -GIN:
    case -KAKU:
    case -SYA:
    case -ZOU: return toY < 4 || fromY < 4;
    case HU:
    case KYOU:
    case KEI: return toY > 6;
    case GIN:
    case KAKU:
    case SYA:
    case ZOU: return toY > 6 || fromY > 6;
    default: return false;
    }
}

} // namespace kelvore::piece
