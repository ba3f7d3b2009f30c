// A fixed set of positions from games between the computer's levels (openings, middle
// games, long endgames) and a few hand-set endgames with royal pieces in danger, for the search
// benchmark and its signature.
#pragma once

namespace kelvore::usi {

inline constexpr const char* kBenchPositions[] = {
    "ln1gkg1nl/rs2es1b1/p1ppppppp/1p7/7P1/2P6/PP1PPPP1P/1B2EKGR1/LNSG2SNL w - 10",
    "ln2kg1nl/r1g1es1b1/p3ppppp/1ppp5/P2s3PP/2P4R1/1P1PPPP2/1B1GEKG2/LNS3SNL w - 22",
    "ln3g1nl/r2k1s1b1/pg3pppp/1ppp5/P2s2ePP/2P2P1R1/1PBPE1PG1/3G1K3/LNS3SNL w Pp 42",
    "l4g1+P1/2k2b3/4ppp+R1/2gs5/rppp1eP+EP/4P1n2/N1PG4N/2S1K2P1/L1B3SGL b SNL6p 159",
    "l4g2+P/2k2b3/4ppp+R1/2gs5/rppp1eP+EP/4P1n2/N1PG4N/2S1K2P1/L1B3SGL w SNL6p 160",
    "lnsgkg1nl/1r2e1sb1/1pppppp1p/7p1/p8/2P4PP/PP1PPPP2/1BG1E2RL/LNS1KGSN1 w - 10",
    "l1sgkg1nl/3e2sb1/2ppppp1p/1r5p1/P8/2P4PP/1P1PPPP2/1BG1E2RL/LNS1KGSN1 w NPp 22",
    "r1g1kg1nl/1s1e2sb1/3pppp1p/2p4p1/8P/1PPP3P1/B1GEPPP2/7RL/1NS1KGSN1 w NLl3p 42",
    "r1g1kg1nl/3e2sb1/1s1pppp1p/2p4p1/3E4P/1PPP3P1/B1G1PPP2/7RL/1NS1KGSN1 b NLl3p 159",
    "r1g1kg1nl/3e2sb1/1s1pppp1p/2p4p1/3E4P/1PPP3P1/B1G1PPP2/5S1RL/1NS1KG1N1 w NLl3p 160",
    "ln1gkgsnl/1rs1e2b1/p1p1pp1pp/1p1p2p2/8P/9/PPPPPPPPL/1B2EG1R1/LNSGK1SN1 w - 10",
    "ln1gk1snl/2s1e1g2/2p1pp1pp/1r1p1bp2/pp6P/7PL/PPPPPPPR1/1B2EG1S1/LNSGK2N1 w - 22",
    "ln1g2snl/4e1g2/2p4pp/1rskpbp2/pp1p3PP/2P3P1L/PP1PP1G2/1B2EK1S1/LNSG3NR w Pp 42",
    "ln1g3nl/1k2e1g2/1sp3spp/1r2pbp2/pp1p1E1PP/2P3PSL/PP1PP1G2/1B3K2R/LNSG3N1 b Pp 159",
    "ln1g3nl/1k2e1g2/1sp3spp/1r2pbp2/pp1p3PP/2P1E1PSL/PP1PP1G2/1B3K2R/LNSG3N1 w Pp 160",
    "lnsg1gsnl/1r1ke2b1/pppppp1p1/6p2/8p/6PP1/PPPPPPN2/1B2E2R1/LNSGKGS1L w p 10",
    "lnsg2snl/1r1ke1g2/2pppp1p1/p4bp2/1p5Pp/6P2/PPPPPPN2/1B2E2SL/LNSGKG1R1 w p 22",
    "lnsg3g1/1r1ke4/2pp1psp1/4Nbp2/pp5P1/6P2/PPPPPPN2/1B2E2S+R/LNSGKG3 w L3Pl 42",
    "lnsg1+N1g1/9/2ppepsp1/2b3p2/p3k1bP1/6r2/PPPPPP3/1S2E2S1/LN1GKG2+R b 3Pn2l2p 159",
    "lnsg1+N1g1/9/2ppepsp1/2b3p2/p3k1bP1/6r2/PPPPPP3/1S2E2S+R/LN1GKG3 w 3Pn2l2p 160",
    "lnsgkgsnl/1r2e2b1/p1pppp2p/1p4p2/7p1/2P2P2P/PP1PP1PP1/1BG2E1R1/LNS1KGSNL w - 10",
    "lnsgkgs1l/4e2b1/2ppppn1p/2r3p2/pp5pP/2P2PE2/PPBPP1PP1/2G1KS1R1/LNS2G1NL w - 22",
    "ln3g2l/1g1seksb1/3pppn1p/2p3p2/pp5pP/2r2PE2/PPBPP1PP1/2GSKS2R/LN3G1NL w p 42",
    "l1s2g2l/1g2eksb1/2npppn1p/6p2/ppp4pP/2r2PE2/PPBPP1PP1/2GSKS2R/LN3G1NL b p 159",
    "l1s2g2l/1g2eksb1/2npppn1p/6p2/ppp4pP/2r2PE2/PPBPP1PP1/2GSKS1R1/LN3G1NL w p 160",
    "lnsgkgsnl/1r2e2b1/2pp1pppp/1p2p4/p8/2PP3P1/PP2PPP1P/1BG1E2RL/LNS1KGSN1 w - 10",
    "1n1gkgsnl/ls2e2b1/2pp1pppp/2r1p4/pp5PP/2PP3R1/PPBEPPP2/2G5L/LNS1KGSN1 w - 22",
    "1n3gsnl/ls2e2b1/2pk+Ppppp/1grp5/pp5PP/2PPR3L/PPBE1PP1N/2GSKG1S1/LN7 w p 42",
    "2R+S5/lk1G1+B1+P1/nsp3+P1+L/1g7/ppP+N5/5S3/PPBE2P2/2G4K1/L+r2G4 w S2NL9p 150",
    "2R+S5/lk1G1+B1+P1/nsp3+P1+L/g8/ppP+N5/5S3/PPBE2P2/2G4K1/L+r2G4 b S2NL9p 151",
    // Endgames with royal pieces in danger.
    "4k4/9/9/9/9/9/8p/7g1/8K w G 1",
    "4k4/9/9/9/9/9/6s2/6g2/7NK w GP 1",
    "k8/G8/P8/9/9/9/9/9/4K4 w R 1",
    "3gk4/4+e4/9/9/9/9/9/4G4/4K4 b RG 1",
    "4k4/4g4/9/9/4r4/9/9/4S4/4K4 b GP 1",
};

} // namespace kelvore::usi
