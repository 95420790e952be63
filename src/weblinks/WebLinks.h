#pragma once

// The main window's openers of the per-stock outside pages, called by the tree's
// node clicks with a fixed index per node. Each reads the selected stock
// (CurrentSymbol), checks what it needs, and hands at most one address to the
// browser through OpenURL (which asks for a connection first); an index outside
// its table opens nothing.

// Price chart Index (0-8). No stock: "Select any stock graph.".
void OpenStockChart(int Index);
// News page Index (0-13); 14 shows the headline query window with the symbol in
// upper case. No stock: "Select any stock.". The busy pointer shows meanwhile and
// is given back on every way out.
void OpenStockNews(int Index);
// Chart of fundamental figure Index (0-20). Asks for a connection first; a symbol
// shorter than two characters: "Select Some Stock Symbol.".
void OpenFundamentalChart(int Index);
// Message board Index (0-2). Asks for a connection first; no stock: nothing.
void MessageBoardURL(int Index);
// Industry-group page Index (0-7); an empty symbol is sent empty.
void IndustryGroupURL(int Index);
// Television stream Index (0-10) and radio stream Index (0-16).
void TVStreamURL(int Index);
void RadioStreamURL(int Index);
// The tree's "Charts" and "Technical Graphs" nodes (Index is not used).
void ShowBigChart(int Index);
void ShowTechGraph(int Index);
