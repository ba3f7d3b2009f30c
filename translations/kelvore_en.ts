<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Analysis</name>
    <message>
        <source>%1を取られます: %2</source>
        <translation>%1 is lost: %2</translation>
    </message>
    <message>
        <source>%1から詰みます</source>
        <translation>Mated after %1</translation>
    </message>
    <message>
        <source>%1で詰みでした</source>
        <translation>%1 mated</translation>
    </message>
    <message>
        <source>%1を只で取られます: %2</source>
        <translation>%1 is lost for nothing: %2</translation>
    </message>
    <message>
        <source>%1から%2を取られます: %3</source>
        <translation>After %1, %2 is lost: %3</translation>
    </message>
    <message>
        <source>%1で%2が取れました</source>
        <translation>%1 would have won %2</translation>
    </message>
    <message>
        <source>%1から%2が取れました: %3</source>
        <translation>%1 would have won %2: %3</translation>
    </message>
    <message>
        <source>形勢を損ねます</source>
        <translation>Loses ground</translation>
    </message>
    <message>
        <source>疑問手</source>
        <translation>Dubious</translation>
    </message>
    <message>
        <source>悪手</source>
        <translation>Mistake</translation>
    </message>
    <message>
        <source>勝ちまで %1手</source>
        <translation>Win in %1</translation>
    </message>
    <message>
        <source>詰み</source>
        <translation>Mate</translation>
    </message>
    <message>
        <source>負けまで %1手</source>
        <translation>Loss in %1</translation>
    </message>
    <message>
        <source>評価値 %1</source>
        <translation>Score %1</translation>
    </message>
    <message>
        <source>%1を取る代わりに%2で%3を取られます</source>
        <translation>Instead of taking %1: %2 wins %3</translation>
    </message>
    <message>
        <source>%1で%2を取られます</source>
        <translation>%1 wins %2</translation>
    </message>
    <message>
        <source>%1を取る代わりに%2から%3を取られます: %4</source>
        <translation>Instead of taking %1: after %2, %3 is lost: %4</translation>
    </message>
    <message>
        <source>駒損はありませんが形勢を損ねます。最善手は%1でした</source>
        <translation>No material lost, but the position suffers. The best move was %1</translation>
    </message>
</context>
<context>
    <name>AnalysisController</name>
    <message>
        <source>開始局面</source>
        <translation>Start position</translation>
    </message>
    <message>
        <source>%1手目 %2</source>
        <translation>Move %1 %2</translation>
    </message>
    <message>
        <source>&#x3000;</source>
        <translation>  </translation>
    </message>
    <message>
        <source>評価値&#x3000;解析中</source>
        <translation>Score  being analysed</translation>
    </message>
    <message>
        <source>評価値&#x3000;未解析</source>
        <translation>Score  not analysed</translation>
    </message>
    <message>
        <source>評価値（▲から）%1&#x3000;▲の勝率 %2%</source>
        <translation>Score (for ▲) %1  ▲ wins %2%</translation>
    </message>
    <message>
        <source>最善手&#x3000;</source>
        <translation>Best move  </translation>
    </message>
    <message>
        <source>読み筋&#x3000;</source>
        <translation>Line  </translation>
    </message>
    <message>
        <source>（指した手）</source>
        <translation> (played)</translation>
    </message>
    <message>
        <source>▲先手</source>
        <translation>▲ Sente</translation>
    </message>
    <message>
        <source>△後手</source>
        <translation>△ Gote</translation>
    </message>
    <message>
        <source>候補手</source>
        <translation>Candidates</translation>
    </message>
    <message>
        <source>
指した側の勝率 %1% → %2%（%3 ポイント減）&#x3000;評価値 %4 → %5（損失 %6）</source>
        <translation>
Mover&apos;s winning chance %1% → %2% (%3 points lost)  Score %4 → %5 (loss %6)</translation>
    </message>
    <message>
        <source>%1&#x3000;疑問手 %2&#x3000;悪手 %3&#x3000;平均損失 %4（勝率 %5 ポイント）</source>
        <translation>%1  Dubious %2  Mistakes %3  Average loss %4 (%5 points of chance)</translation>
    </message>
</context>
<context>
    <name>AnalysisView</name>
    <message>
        <source>解析</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>解析の進み具合</source>
        <translation>analysis progress</translation>
    </message>
    <message>
        <source>%v / %m 局面</source>
        <translation>%v / %m positions</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>解析を中止</source>
        <translation>stop the analysis</translation>
    </message>
    <message>
        <source>解析の状態</source>
        <translation>analysis state</translation>
    </message>
    <message>
        <source>選んだ手</source>
        <translation>chosen move</translation>
    </message>
    <message>
        <source>評価値</source>
        <translation>score</translation>
    </message>
    <message>
        <source>最善手</source>
        <translation>best move</translation>
    </message>
    <message>
        <source>読み筋</source>
        <translation>line</translation>
    </message>
    <message>
        <source>理由</source>
        <translation>reason</translation>
    </message>
    <message>
        <source>先手のまとめ</source>
        <translation>Sente&apos;s summary</translation>
    </message>
    <message>
        <source>後手のまとめ</source>
        <translation>Gote&apos;s summary</translation>
    </message>
    <message>
        <source>解析中（%1 / %2 局面）</source>
        <translation>Analysing (%1 / %2 positions)</translation>
    </message>
    <message>
        <source>解析が終わりました</source>
        <translation>The analysis is done</translation>
    </message>
    <message>
        <source>解析を中止しました（%1 / %2 局面）</source>
        <translation>The analysis was stopped (%1 / %2 positions)</translation>
    </message>
    <message>
        <source>棋譜の解析はまだありません</source>
        <translation>The game has not been analysed yet</translation>
    </message>
    <message>
        <source>候補手</source>
        <translation>Candidates</translation>
    </message>
    <message>
        <source>棋譜に残された解析です（%1 / %2 局面）</source>
        <translation>Analysis kept with the game (%1 / %2 positions)</translation>
    </message>
</context>
<context>
    <name>EvaluationGraph</name>
    <message>
        <source>評価値グラフ</source>
        <translation>score graph</translation>
    </message>
    <message>
        <source>▲有利</source>
        <translation>▲ ahead</translation>
    </message>
    <message>
        <source>△有利</source>
        <translation>△ ahead</translation>
    </message>
    <message>
        <source>▲から見た評価値（±%1まで）</source>
        <translation>Score for ▲ (up to ±%1)</translation>
    </message>
    <message>
        <source>。現在: </source>
        <translation>. Now: </translation>
    </message>
    <message>
        <source>。まだ解析されていません</source>
        <translation>. Not analysed yet</translation>
    </message>
    <message>
        <source>。</source>
        <translation>. </translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>Game</name>
    <message>
        <source>ｺﾝﾋﾟｭｰﾀは指す手がありません</source>
        <translation>The computer has no move left</translation>
    </message>
    <message>
        <source>投了</source>
        <translation>Resigned</translation>
    </message>
    <message>
        <source>よし！!</source>
        <translation>Got it!</translation>
    </message>
    <message>
        <source>詰め ?</source>
        <translation>Mate?</translation>
    </message>
    <message>
        <source>   ** 王手 **</source>
        <translation>   ** Check **</translation>
    </message>
    <message>
        <source>   ** 王手(王子) **</source>
        <translation>   ** Check (prince) **</translation>
    </message>
    <message>
        <source>「対局」で始めて下さい</source>
        <translation>Start a game from the &quot;Game&quot; menu</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>終わり</source>
        <translation>The end</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>できません</source>
        <translation>Not possible</translation>
    </message>
    <message>
        <source>この手は進められません<byte value="xd"/>（盤面と棋譜が合いません）</source>
        <translation>This move cannot be played forward<byte value="xd"/>(the board and the record do not match)</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>この手は戻せません<byte value="xd"/>（盤面と棋譜が合いません）</source>
        <translation>This move cannot be taken back<byte value="xd"/>(the board and the record do not match)</translation>
    </message>
    <message>
        <source>棋譜ﾓｰﾄﾞではできません</source>
        <translation>Not possible while a record is shown</translation>
    </message>
    <message>
        <source>反転</source>
        <translation>Turn board</translation>
    </message>
    <message>
        <source>先手</source>
        <translation>Sente</translation>
    </message>
    <message>
        <source>後手</source>
        <translation>Gote</translation>
    </message>
    <message>
        <source>あなた</source>
        <translation>You</translation>
    </message>
    <message>
        <source>ｺﾝﾋﾟｭｰﾀ</source>
        <translation>The computer</translation>
    </message>
    <message>
        <source>%1の勝ちです</source>
        <translation>%1 won</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Game over</translation>
    </message>
    <message>
        <source>続けますか？</source>
        <translation>Play again?</translation>
    </message>
    <message>
        <source>再ゲーム</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>先手の番です</source>
        <translation>Sente to move</translation>
    </message>
    <message>
        <source>後手の番です</source>
        <translation>Gote to move</translation>
    </message>
    <message>
        <source>MANの番です</source>
        <translation>Your move</translation>
    </message>
    <message>
        <source>対局</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>棋譜を &apos;進 &apos;で進めて下さい</source>
        <translation>Step through the record with &quot;Forward&quot;</translation>
    </message>
    <message>
        <source>棋譜</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>勝負は付いています</source>
        <translation>The game is decided</translation>
    </message>
    <message>
        <source>OKですか？</source>
        <translation>Ready?</translation>
    </message>
    <message>
        <source>再開(COM)</source>
        <translation>Resume (computer)</translation>
    </message>
    <message>
        <source>マウスの右をクリックして下さい</source>
        <translation>This piece must promote: click its square with the right button</translation>
    </message>
    <message>
        <source>成り</source>
        <translation>Promotion</translation>
    </message>
    <message>
        <source>成りますか？</source>
        <translation>Promote?</translation>
    </message>
    <message>
        <source>対局途中ではできません</source>
        <translation>Not possible during a game</translation>
    </message>
    <message>
        <source>反転後ではできません</source>
        <translation>Not possible with the board turned</translation>
    </message>
    <message>
        <source><byte value="xd"/><byte value="xd"/>局面→最初にして下さい</source>
        <translation><byte value="xd"/><byte value="xd"/>Choose Position → New position first</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定</source>
        <translation>Handicap</translation>
    </message>
</context>
<context>
    <name>HowTo</name>
    <message>
        <source>Kelvore 将棋  バージョン %1<byte value="xd"/><byte value="xd"/>酔象と太子のある将棋です。<byte value="xd"/>象は真後ろ以外の七方向に一つ進み、成ると太子になります。<byte value="xd"/><byte value="xd"/>【遊び方】<byte value="xd"/>・動かす駒をクリックして持ち上げ、行き先の桝をクリックして置きます。<byte value="xd"/>・成るときは、行き先を右ボタンでクリックします（左ボタンでは成りません）。「対局」→「対局設定…」で、成るかどうか尋ねるようにもできます。<byte value="xd"/>・持ち駒は、盤の横の駒をクリックしてから、打つ桝をクリックします。<byte value="xd"/>・「戻」で一手ずつ戻せます。戻した局面で盤をクリックすると、そこから対局を続けます。<byte value="xd"/>・「進」は戻した手を一手ずつ進めます。読み込んだ棋譜も「進」で進めます。<byte value="xd"/>・持ち時間（切れ負け、秒読み、加算）は「対局設定…」で決めます。負けを認めるときは「投了」、やめるときは「中断」です。<byte value="xd"/>・Esc キーと閉じるボタンは、何も聞かずにすぐ終了します。対局中の対局は中断として対局記録に残ります。<byte value="xd"/>・F1 で BGM を、F2 で経過時間の表示を入り切りします。<byte value="xd"/>・王手を放っておくと王を取られることがあります。王（と太子）をすべて取られた方の負けで、対局が終わります。</source>
        <translation>Kelvore shogi  version %1<byte value="xd"/><byte value="xd"/>Shogi with the Drunk Elephant (DE) and the Crown Prince (CP).<byte value="xd"/>DE: one step in any direction but straight back; it promotes to CP.<byte value="xd"/>CP: moves like the king and is a second royal piece. You lose when<byte value="xd"/>all your royal pieces are captured (a king left in check may be taken).<byte value="xd"/><byte value="xd"/>[How to play]<byte value="xd"/>- Start: Game → Versus computer → Play first (Sente) or Play second<byte value="xd"/>  (Gote). Game → Two players → Start: two people at one board.<byte value="xd"/>- Move: click a piece, then its destination. Drop: click a piece in<byte value="xd"/>  hand beside the board, then an empty square.<byte value="xd"/>- Promote: click the destination with the RIGHT mouse button (a left<byte value="xd"/>  click does not promote). Game → Match settings… can ask &quot;Promote?&quot;.<byte value="xd"/>- Resign: Game → Resign. Game → Adjourn stops a game and keeps it.<byte value="xd"/>- Levels: Game → Computer level. LEVEL1 to LEVEL3 are quick and weaker,<byte value="xd"/>  LEVEL4 and LEVEL5 search ahead. Position → Hint suggests a move.<byte value="xd"/>- Back and Forward step through the moves; a click on the board<byte value="xd"/>  plays on from the position shown.<byte value="xd"/>- Moves are written in Western notation: P-7f, Bx2b+, S*5e, +R-2b.<byte value="xd"/><byte value="xd"/>[Records]<byte value="xd"/>- KIF (Record → Export KIF… / Import KIF…) is a Japanese format:<byte value="xd"/>  its moves and headers stay Japanese.<byte value="xd"/>- SFEN: Record → Copy position as SFEN, and Paste SFEN position.<byte value="xd"/><byte value="xd"/>[Keys] Esc quits at once (a game in play is kept). F1 music, F2 clock.<byte value="xd"/>Options → 言語 / Language: 日本語 or English from the next start.</translation>
    </message>
    <message>
        <source>Kelvore について</source>
        <translation>About Kelvore</translation>
    </message>
</context>
<context>
    <name>Kept</name>
    <message>
        <source>KIFに書けない文字があります</source>
        <translation>The game has characters KIF cannot hold</translation>
    </message>
    <message>
        <source>同じ名前の記録が多すぎます</source>
        <translation>Too many records of the same name</translation>
    </message>
    <message>
        <source>対局記録を保存できませんでした<byte value="xd"/></source>
        <translation>The game could not be kept<byte value="xd"/></translation>
    </message>
    <message>
        <source>対局記録</source>
        <translation>Kept games</translation>
    </message>
</context>
<context>
    <name>Kif</name>
    <message>
        <source>局面図の%1段目が%2</source>
        <translation>Rank %1 of the diagram: %2</translation>
    </message>
    <message>
        <source>局面図の段が足りません</source>
        <translation>The diagram has too few ranks</translation>
    </message>
    <message>
        <source>局面図が途中で切れています</source>
        <translation>The diagram breaks off</translation>
    </message>
    <message>
        <source>指し手の後に局面図があります</source>
        <translation>A diagram after the moves</translation>
    </message>
    <message>
        <source>局面図が二つあります</source>
        <translation>Two diagrams</translation>
    </message>
    <message>
        <source>局面図の枠がありません</source>
        <translation>The diagram has no frame</translation>
    </message>
    <message>
        <source>指し手の後に手番の行があります</source>
        <translation>A side-to-move line after the moves</translation>
    </message>
    <message>
        <source>手数が読めません</source>
        <translation>The move number is unreadable</translation>
    </message>
    <message>
        <source>指し手の後に手数の行があります</source>
        <translation>A move-number line after the moves</translation>
    </message>
    <message>
        <source>読めない行です</source>
        <translation>An unreadable line</translation>
    </message>
    <message>
        <source>指し手の後に持駒の行があります</source>
        <translation>A pieces-in-hand line after the moves</translation>
    </message>
    <message>
        <source>持駒に持てない駒があります</source>
        <translation>A piece that cannot be held in hand</translation>
    </message>
    <message>
        <source>持駒の数が読めません</source>
        <translation>The number of pieces in hand is unreadable</translation>
    </message>
    <message>
        <source>持駒の数が多すぎます</source>
        <translation>Too many pieces in hand</translation>
    </message>
    <message>
        <source>局面図の段が多すぎます</source>
        <translation>The diagram has too many ranks</translation>
    </message>
    <message>
        <source>途中で切れています</source>
        <translation>it breaks off</translation>
    </message>
    <message>
        <source>読めません</source>
        <translation>it is unreadable</translation>
    </message>
    <message>
        <source>局面図に知らない駒があります（%1）</source>
        <translation>An unknown piece in the diagram (%1)</translation>
    </message>
    <message>
        <source>行き所のない駒があります（%1%2）</source>
        <translation>A piece that can never move again (%1 %2)</translation>
    </message>
    <message>
        <source>局面図も指し手もありません</source>
        <translation>There is neither a diagram nor a move</translation>
    </message>
    <message>
        <source>局面図がこのゲームの局面ではありません（%1）</source>
        <translation>The diagram is not a position of this game (%1)</translation>
    </message>
    <message>
        <source>酔象のない本将棋（手合割：平手）の棋譜です。局面図がないため読めません</source>
        <translation>A record of standard shogi without the elephant (even game); without a diagram it cannot be read</translation>
    </message>
    <message>
        <source>手合割が「その他」なのに局面図がありません</source>
        <translation>The handicap is &quot;other&quot; but there is no diagram</translation>
    </message>
    <message>
        <source>酔象のない本将棋の駒落ち（手合割：%1）の棋譜です。局面図がないため読めません</source>
        <translation>A handicap record of standard shogi without the elephant (%1); without a diagram it cannot be read</translation>
    </message>
    <message>
        <source>始めの%1行に局面図も指し手もありません</source>
        <translation>Neither a diagram nor a move in the first %1 lines</translation>
    </message>
    <message>
        <source>終局の後に指し手があります</source>
        <translation>A move after the end of the game</translation>
    </message>
    <message>
        <source>手数が順に並んでいません（%1手目のはずです）</source>
        <translation>The move numbers are out of order (move %1 expected)</translation>
    </message>
    <message>
        <source>指し手がありません</source>
        <translation>No move</translation>
    </message>
    <message>
        <source>消費時間が読めません</source>
        <translation>The time used is unreadable</translation>
    </message>
    <message>
        <source>消費時間の合計が読めません</source>
        <translation>The total time used is unreadable</translation>
    </message>
    <message>
        <source>消費時間が途中で切れています</source>
        <translation>The time used breaks off</translation>
    </message>
    <message>
        <source>指し手の後に読めない文字があります</source>
        <translation>Unreadable characters after the move</translation>
    </message>
    <message>
        <source>消費時間が合計より長くなっています</source>
        <translation>The time used is longer than the total</translation>
    </message>
    <message>
        <source>後手の番なのに▲の指し手です</source>
        <translation>A ▲ move on Gote&apos;s turn</translation>
    </message>
    <message>
        <source>先手の番なのに△の指し手です</source>
        <translation>A △ move on Sente&apos;s turn</translation>
    </message>
    <message>
        <source>前の指し手がないのに「同」があります</source>
        <translation>&quot;Same square&quot; without a previous move</translation>
    </message>
    <message>
        <source>指し手が途中で切れています</source>
        <translation>The move breaks off</translation>
    </message>
    <message>
        <source>指し手が読めません</source>
        <translation>The move is unreadable</translation>
    </message>
    <message>
        <source>駒の名前が読めません</source>
        <translation>The piece name is unreadable</translation>
    </message>
    <message>
        <source>移動元が読めません</source>
        <translation>The origin is unreadable</translation>
    </message>
    <message>
        <source>打つ手に移動元があります</source>
        <translation>A drop with an origin</translation>
    </message>
    <message>
        <source>その駒は打てません</source>
        <translation>That piece cannot be dropped</translation>
    </message>
    <message>
        <source>どの駒を動かす手か分かりません（移動元を書いて下さい）</source>
        <translation>Which piece moves is unclear (write the origin)</translation>
    </message>
    <message>
        <source>その駒はそこへ動けません</source>
        <translation>That piece cannot move there</translation>
    </message>
    <message>
        <source>移動元（%1%2）に先手の駒がありません</source>
        <translation>No Sente piece on the origin (%1%2)</translation>
    </message>
    <message>
        <source>移動元（%1%2）に後手の駒がありません</source>
        <translation>No Gote piece on the origin (%1%2)</translation>
    </message>
    <message>
        <source>駒の名前が盤面と合いません</source>
        <translation>The piece name does not match the board</translation>
    </message>
    <message>
        <source>%1行目：%2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>KIFファイルが大きすぎます</source>
        <translation>The KIF file is too large</translation>
    </message>
    <message>
        <source>盤に置けない駒があります（%1）</source>
        <translation>A piece that cannot stand on the board (%1)</translation>
    </message>
    <message>
        <source>持駒の数が正しくありません</source>
        <translation>The number of pieces in hand is wrong</translation>
    </message>
    <message>
        <source>%1が%2枚より多くあります</source>
        <translation>More than %2 of %1</translation>
    </message>
    <message>
        <source>%1の玉が二枚以上あります</source>
        <translation>%1 has two kings or more</translation>
    </message>
    <message>
        <source>%1の象と太子が合わせて二枚以上あります</source>
        <translation>%1 has more than one elephant and prince together</translation>
    </message>
    <message>
        <source>%1に玉も太子もありません</source>
        <translation>%1 has neither king nor prince</translation>
    </message>
    <message>
        <source>%1の二歩があります（%2筋）</source>
        <translation>%1 has two pawns on file %2</translation>
    </message>
</context>
<context>
    <name>Match</name>
    <message>
        <source>%1が投了しました</source>
        <translation>%1 resigned</translation>
    </message>
    <message>
        <source>%1の時間切れです</source>
        <translation>%1 lost on time</translation>
    </message>
    <message>
        <source>%1：対局中ではありません</source>
        <translation>%1: no game in play</translation>
    </message>
    <message>
        <source>投了</source>
        <translation>Resign</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Adjourn</translation>
    </message>
    <message>
        <source>対局を中断しました</source>
        <translation>The game was adjourned</translation>
    </message>
    <message>
        <source>対局を中断しました（戻と進で手順を見られます）</source>
        <translation>The game was adjourned (Back and Forward show its moves)</translation>
    </message>
    <message>
        <source>詰みです — 投了できます</source>
        <translation>Checkmate — you may resign</translation>
    </message>
</context>
<context>
    <name>MatchDialog</name>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>切れ負け 10分</source>
        <translation>Sudden death 10 min</translation>
    </message>
    <message>
        <source>10分＋秒読み30秒</source>
        <translation>10 min + byoyomi 30 s</translation>
    </message>
    <message>
        <source>秒読み30秒</source>
        <translation>Byoyomi 30 s</translation>
    </message>
    <message>
        <source>15分＋加算10秒</source>
        <translation>15 min + increment 10 s</translation>
    </message>
    <message>
        <source> 分</source>
        <translation> min</translation>
    </message>
    <message>
        <source>持ち時間の分</source>
        <translation>main time, minutes</translation>
    </message>
    <message>
        <source> 秒</source>
        <translation> s</translation>
    </message>
    <message>
        <source>持ち時間の秒</source>
        <translation>main time, seconds</translation>
    </message>
    <message>
        <source>持ち時間</source>
        <translation>Main time</translation>
    </message>
    <message>
        <source>秒読み</source>
        <translation>Byoyomi</translation>
    </message>
    <message>
        <source>加算</source>
        <translation>Increment</translation>
    </message>
    <message>
        <source>秒読みか加算の秒</source>
        <translation>byoyomi or increment, seconds</translation>
    </message>
    <message>
        <source>その後</source>
        <translation>Then</translation>
    </message>
    <message>
        <source>対局設定</source>
        <translation>Match settings</translation>
    </message>
    <message>
        <source>持ち時間の形式</source>
        <translation>time control</translation>
    </message>
    <message>
        <source>その他（下で設定）</source>
        <translation>Other (set below)</translation>
    </message>
    <message>
        <source>形式</source>
        <translation>Time control</translation>
    </message>
    <message>
        <source>上の側（ｺﾝﾋﾟｭｰﾀ、二人なら後手）に別の持ち時間</source>
        <translation>A time of its own for the upper side (the computer, or Gote between two players)</translation>
    </message>
    <message>
        <source>上の側に別の持ち時間</source>
        <translation>a time of its own for the upper side</translation>
    </message>
    <message>
        <source>上の側（ｺﾝﾋﾟｭｰﾀ・後手）</source>
        <translation>Upper side (computer / Gote)</translation>
    </message>
    <message>
        <source>上の側の</source>
        <translation>upper side, </translation>
    </message>
    <message>
        <source>左クリックで成れるとき「成りますか？」と尋ねる</source>
        <translation>Ask &quot;Promote?&quot; when a left-click move may promote</translation>
    </message>
    <message>
        <source>成るかどうか尋ねる</source>
        <translation>ask whether to promote</translation>
    </message>
    <message>
        <source>下の側（あなた・先手）</source>
        <translation>Lower side (you / Sente)</translation>
    </message>
    <message>
        <source>両者</source>
        <translation>Both sides</translation>
    </message>
    <message>
        <source>下の側の持ち時間の分</source>
        <translation>lower side, main time, minutes</translation>
    </message>
    <message>
        <source>LEVEL4・5の強さ</source>
        <translation>Strength of LEVEL4 and LEVEL5</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>対局</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>対局(人間)</source>
        <translation>Two players</translation>
    </message>
    <message>
        <source>スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>対局(COM)</source>
        <translation>Versus computer</translation>
    </message>
    <message>
        <source>先手</source>
        <translation>Play first (Sente)</translation>
    </message>
    <message>
        <source>後手</source>
        <translation>Play second (Gote)</translation>
    </message>
    <message>
        <source>COM対局ﾚﾍﾞﾙ</source>
        <translation>Computer level</translation>
    </message>
    <message>
        <source>LEVEL1</source>
        <translation>LEVEL1</translation>
    </message>
    <message>
        <source>LEVEL2</source>
        <translation>LEVEL2</translation>
    </message>
    <message>
        <source>LEVEL3</source>
        <translation>LEVEL3</translation>
    </message>
    <message>
        <source>LEVEL4</source>
        <translation>LEVEL4</translation>
    </message>
    <message>
        <source>LEVEL5</source>
        <translation>LEVEL5</translation>
    </message>
    <message>
        <source>終わり</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>対局設定…</source>
        <translation>Match settings…</translation>
    </message>
    <message>
        <source>投了</source>
        <translation>Resign</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Adjourn</translation>
    </message>
    <message>
        <source>局面</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>最初</source>
        <translation>New position</translation>
    </message>
    <message>
        <source>反転</source>
        <translation>Turn board</translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>戻</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>進</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>△</source>
        <translation>△</translation>
    </message>
    <message>
        <source>▽</source>
        <translation>▽</translation>
    </message>
    <message>
        <source>棋譜</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>読込</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>書込</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>解析</source>
        <translation>Analyse</translation>
    </message>
    <message>
        <source>KIF書出…</source>
        <translation>Export KIF…</translation>
    </message>
    <message>
        <source>KIF読込…</source>
        <translation>Import KIF…</translation>
    </message>
    <message>
        <source>局面をSFENでコピー</source>
        <translation>Copy position as SFEN</translation>
    </message>
    <message>
        <source>棋譜をUSIでコピー</source>
        <translation>Copy game as USI</translation>
    </message>
    <message>
        <source>SFENの局面を貼付</source>
        <translation>Paste SFEN position</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝ</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>背景画</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>緑</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>畳</source>
        <translation>Tatami</translation>
    </message>
    <message>
        <source>竹</source>
        <translation>Bamboo</translation>
    </message>
    <message>
        <source>宇宙</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>煉瓦</source>
        <translation>Brick</translation>
    </message>
    <message>
        <source>移動指導</source>
        <translation>Show legal moves</translation>
    </message>
    <message>
        <source>経過時間</source>
        <translation>Elapsed time</translation>
    </message>
    <message>
        <source>BGM</source>
        <translation>Music (BGM)</translation>
    </message>
    <message>
        <source>指し手一覧</source>
        <translation>Move list</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>About</translation>
    </message>
    <message>
        <source>二文字</source>
        <translation>Two kanji</translation>
    </message>
    <message>
        <source>一文字</source>
        <translation>One kanji</translation>
    </message>
</context>
<context>
    <name>MoveListModel</name>
    <message>
        <source>開始局面</source>
        <translation>Start position</translation>
    </message>
    <message>
        <source>%1手目 %2 %3 %4</source>
        <translation>Move %1 %2 %3 %4</translation>
    </message>
    <message>
        <source>手数</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>指し手</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>判定</source>
        <translation>Mark</translation>
    </message>
</context>
<context>
    <name>MoveListPanel</name>
    <message>
        <source>指し手一覧</source>
        <translation>move list</translation>
    </message>
    <message>
        <source>指し手</source>
        <translation>Moves</translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation>hint</translation>
    </message>
    <message>
        <source>ヒント：%1&#x3000;%2</source>
        <translation>Hint: %1  %2</translation>
    </message>
    <message>
        <source>ヒント：考えています…</source>
        <translation>Hint: thinking…</translation>
    </message>
    <message>
        <source>読み筋&#x3000;</source>
        <translation>Line: </translation>
    </message>
</context>
<context>
    <name>QtRecordPanel</name>
    <message>
        <source>ﾌｧｲﾙ名 ：</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>後    手 ：</source>
        <translation>Gote:</translation>
    </message>
    <message>
        <source>先    手 ：</source>
        <translation>Sente:</translation>
    </message>
    <message>
        <source>対 局 名：</source>
        <translation>Game:</translation>
    </message>
</context>
<context>
    <name>QtStatusLine</name>
    <message>
        <source>お知らせ</source>
        <translation>notice</translation>
    </message>
</context>
<context>
    <name>Record</name>
    <message>
        <source>名前に改行は使えません</source>
        <translation>A name cannot hold a line break</translation>
    </message>
    <message>
        <source>Shift-JISで書けない文字があります</source>
        <translation>There are characters Shift-JIS cannot hold</translation>
    </message>
    <message>
        <source>このフォルダに書き込む許可がありません</source>
        <translation>No permission to write in this folder</translation>
    </message>
    <message>
        <source>ディスクに空きがありません</source>
        <translation>The disk is full</translation>
    </message>
    <message>
        <source>ファイル名が長すぎます</source>
        <translation>The file name is too long</translation>
    </message>
    <message>
        <source>フォルダが見つかりません</source>
        <translation>The folder was not found</translation>
    </message>
    <message>
        <source>読み取り専用のディスクです</source>
        <translation>The disk is read-only</translation>
    </message>
    <message>
        <source>このファイル名は使えません</source>
        <translation>This file name cannot be used</translation>
    </message>
    <message>
        <source>同じ名前のフォルダがあります</source>
        <translation>A folder of the same name exists</translation>
    </message>
    <message>
        <source>通常のファイルでないもの（FIFO、デバイスなど）には書き込めません</source>
        <translation>Cannot write to something that is not a regular file (a FIFO, a device…)</translation>
    </message>
    <message>
        <source>書き込みに失敗しました</source>
        <translation>Writing failed</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名に改行や制御文字は使えません</source>
        <translation>A file name cannot hold line breaks or control characters</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名が空白だけです</source>
        <translation>The file name is only blanks</translation>
    </message>
    <message>
        <source>反転後は書き込みできません</source>
        <translation>Cannot save with the board turned</translation>
    </message>
    <message>
        <source>棋譜書込</source>
        <translation>Save record</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません</source>
        <translation>Cannot save after a handicap was set</translation>
    </message>
    <message>
        <source>ﾃﾞﾊﾞｲｽが準備できていません</source>
        <translation>The device is not ready</translation>
    </message>
    <message>
        <source>ｴﾗｰ</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名が入力されていません</source>
        <translation>No file name was entered</translation>
    </message>
    <message>
        <source>保存するデータがありません</source>
        <translation>There is nothing to save</translation>
    </message>
    <message>
        <source>棋譜保存</source>
        <translation>Save record</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名に「/」や「\」は使えません</source>
        <translation>A file name cannot hold &quot;/&quot; or &quot;\&quot;</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名にShift-JISで書けない文字があります</source>
        <translation>The file name has characters Shift-JIS cannot hold</translation>
    </message>
    <message>
        <source>棋譜を書き込めませんでした<byte value="xd"/></source>
        <translation>The record could not be saved<byte value="xd"/></translation>
    </message>
    <message>
        <source>棋譜を書き込みました</source>
        <translation>The record was saved</translation>
    </message>
    <message>
        <source>棋譜</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙを開けません<byte value="xd"/></source>
        <translation>Cannot open the record file<byte value="xd"/></translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙの%1手目が正しくありません<byte value="xd"/>（%2）<byte value="xd"/>%3手目までを読み込みました</source>
        <translation>Move %1 of the record file is wrong<byte value="xd"/>(%2)<byte value="xd"/>The moves up to %3 were loaded</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません</source>
        <translation>The record file holds no moves</translation>
    </message>
    <message>
        <source> 読み込みました</source>
        <translation> Loaded</translation>
    </message>
    <message>
        <source>棋譜を &apos;進 &apos;で進めて下さい</source>
        <translation>Step through the record with &quot;Forward&quot;</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙの形式が正しくありません<byte value="xd"/>（見出しの3行がありません）</source>
        <translation>The record file&apos;s format is wrong<byte value="xd"/>(the three header lines are missing)</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙの見出しがShift-JISとして読めません</source>
        <translation>The record file&apos;s header is not readable as Shift-JIS</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙが大きすぎます</source>
        <translation>The record file is too large</translation>
    </message>
    <message>
        <source>勝負が付いた後の指し手です</source>
        <translation>A move after the game was decided</translation>
    </message>
    <message>
        <source>駒の番号が正しくありません</source>
        <translation>A piece number is wrong</translation>
    </message>
    <message>
        <source>手番の順が正しくありません</source>
        <translation>The sides do not alternate</translation>
    </message>
    <message>
        <source>移動先が盤の外です</source>
        <translation>The destination is off the board</translation>
    </message>
    <message>
        <source>取った駒が盤面と合いません</source>
        <translation>The captured piece does not match the board</translation>
    </message>
    <message>
        <source>打てない駒を打っています</source>
        <translation>A piece that cannot be dropped is dropped</translation>
    </message>
    <message>
        <source>持駒の側が合いません</source>
        <translation>The hand is on the wrong side</translation>
    </message>
    <message>
        <source>持っていない駒を打っています</source>
        <translation>A piece not in hand is dropped</translation>
    </message>
    <message>
        <source>駒のある所に打っています</source>
        <translation>A drop on an occupied square</translation>
    </message>
    <message>
        <source>二歩です</source>
        <translation>Two pawns on one file</translation>
    </message>
    <message>
        <source>その段には打てません</source>
        <translation>No drop on that rank</translation>
    </message>
    <message>
        <source>移動元が盤の外です</source>
        <translation>The origin is off the board</translation>
    </message>
    <message>
        <source>移動元に動かす駒がありません</source>
        <translation>No piece on the origin</translation>
    </message>
    <message>
        <source>その駒はそこへ動けません</source>
        <translation>That piece cannot move there</translation>
    </message>
    <message>
        <source>成れない駒が成っています</source>
        <translation>A piece that cannot promote promotes</translation>
    </message>
    <message>
        <source>成らなければならない駒が成っていません</source>
        <translation>A piece that must promote does not</translation>
    </message>
</context>
<context>
    <name>RecordPlaces</name>
    <message>
        <source>ホーム  </source>
        <translation>Home  </translation>
    </message>
</context>
<context>
    <name>Screen</name>
    <message>
        <source>思考中</source>
        <translation>Thinking</translation>
    </message>
    <message>
        <source>秒読み%1</source>
        <translation>Byoyomi %1</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人</source>
        <translation>Handicap: Meijin</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段</source>
        <translation>Handicap: 8-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７段</source>
        <translation>Handicap: 7-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段</source>
        <translation>Handicap: 6-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段</source>
        <translation>Handicap: 5-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４段</source>
        <translation>Handicap: 4-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段</source>
        <translation>Handicap: 3-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段</source>
        <translation>Handicap: 2-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段</source>
        <translation>Handicap: 1-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級</source>
        <translation>Handicap: 1-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級</source>
        <translation>Handicap: 2-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級</source>
        <translation>Handicap: 3-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級</source>
        <translation>Handicap: 4-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級</source>
        <translation>Handicap: 5-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級</source>
        <translation>Handicap: 6-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７級</source>
        <translation>Handicap: 7-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級</source>
        <translation>Handicap: 8-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級</source>
        <translation>Handicap: 9-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級</source>
        <translation>Handicap: 10-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:11級</source>
        <translation>Handicap: 11-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級</source>
        <translation>Handicap: 12-kyu</translation>
    </message>
    <message>
        <source>手目</source>
        <translation>moves</translation>
    </message>
    <message>
        <source>一</source>
        <translation>a</translation>
    </message>
    <message>
        <source>二</source>
        <translation>b</translation>
    </message>
    <message>
        <source>三</source>
        <translation>c</translation>
    </message>
    <message>
        <source>四</source>
        <translation>d</translation>
    </message>
    <message>
        <source>五</source>
        <translation>e</translation>
    </message>
    <message>
        <source>六</source>
        <translation>f</translation>
    </message>
    <message>
        <source>七</source>
        <translation>g</translation>
    </message>
    <message>
        <source>八</source>
        <translation>h</translation>
    </message>
    <message>
        <source>九</source>
        <translation>i</translation>
    </message>
</context>
<context>
    <name>Sharing</name>
    <message>
        <source>KIF書出</source>
        <translation>Export KIF</translation>
    </message>
    <message>
        <source>KIF読込</source>
        <translation>Import KIF</translation>
    </message>
    <message>
        <source>SFEN貼付</source>
        <translation>Paste SFEN</translation>
    </message>
    <message>
        <source>先手（下）の番です<byte value="xd"/>二人で指すときは盤をクリックして下さい。<byte value="xd"/>ｺﾝﾋﾟｭｰﾀと指すときは「先手」で始めて下さい。</source>
        <translation>Sente (below) to move<byte value="xd"/>Two players: click the board.<byte value="xd"/>Against the computer: start with &quot;Play first (Sente)&quot;.</translation>
    </message>
    <message>
        <source>後手（上）の番です<byte value="xd"/>二人で指すときは盤をクリックして下さい。<byte value="xd"/>ｺﾝﾋﾟｭｰﾀと指すときは「後手」で始めて下さい。</source>
        <translation>Gote (above) to move<byte value="xd"/>Two players: click the board.<byte value="xd"/>Against the computer: start with &quot;Play second (Gote)&quot;.</translation>
    </message>
    <message>
        <source>局面をSFENで</source>
        <translation>The position as SFEN</translation>
    </message>
    <message>
        <source>棋譜をUSIの形で</source>
        <translation>The game as USI</translation>
    </message>
    <message>
        <source>書き出す対局がありません</source>
        <translation>There is no game to export</translation>
    </message>
    <message>
        <source>Shift-JISで書けない文字があります<byte value="xd"/>.kifu（UTF-8）で書き出して下さい</source>
        <translation>There are characters Shift-JIS cannot hold<byte value="xd"/>Export as .kifu (UTF-8)</translation>
    </message>
    <message>
        <source>KIFを書き出せませんでした<byte value="xd"/></source>
        <translation>The KIF could not be written<byte value="xd"/></translation>
    </message>
    <message>
        <source>KIFを書き出しました：</source>
        <translation>KIF written: </translation>
    </message>
    <message>
        <source>KIFファイル（.kif か .kifu）を選んで下さい</source>
        <translation>Choose a KIF file (.kif or .kifu)</translation>
    </message>
    <message>
        <source>KIFファイルが大きすぎます</source>
        <translation>The KIF file is too large</translation>
    </message>
    <message>
        <source>KIFファイルを開けません<byte value="xd"/></source>
        <translation>Cannot open the KIF file<byte value="xd"/></translation>
    </message>
    <message>
        <source>KIFファイルを読み込めません<byte value="xd"/></source>
        <translation>Cannot read the KIF file<byte value="xd"/></translation>
    </message>
    <message>
        <source>KIFの局面を読み込みました<byte value="xd"/></source>
        <translation>The KIF position was loaded<byte value="xd"/></translation>
    </message>
    <message>
        <source>KIFを読み込みました（%1手）<byte value="xd"/>棋譜を &apos;進 &apos;で進めて下さい</source>
        <translation>The KIF was loaded (%1 moves)<byte value="xd"/>Step through it with &quot;Forward&quot;</translation>
    </message>
    <message>
        <source>%1クリップボードにコピーしました：%2</source>
        <translation>%1 copied to the clipboard: %2</translation>
    </message>
    <message>
        <source>クリップボードに局面（SFEN）がありません</source>
        <translation>The clipboard holds no position (SFEN)</translation>
    </message>
    <message>
        <source>局面を読めません<byte value="xd"/>（position の後には sfen か startpos が要ります）</source>
        <translation>Cannot read the position<byte value="xd"/>(position must be followed by sfen or startpos)</translation>
    </message>
    <message>
        <source>局面を読めません<byte value="xd"/>（startpos の後には moves しか書けません）</source>
        <translation>Cannot read the position<byte value="xd"/>(only moves may follow startpos)</translation>
    </message>
    <message>
        <source>SFENとして読めません<byte value="xd"/>（%1）</source>
        <translation>Not readable as SFEN<byte value="xd"/>(%1)</translation>
    </message>
    <message>
        <source>この局面では対局できません<byte value="xd"/>（%1）</source>
        <translation>No game can be played from this position<byte value="xd"/>(%1)</translation>
    </message>
    <message>
        <source>%1手目の「%2」</source>
        <translation>Move %1 &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1は指し手として読めません</source>
        <translation>%1 is not readable as a move</translation>
    </message>
    <message>
        <source>%1は指せません<byte value="xd"/>（動かす駒がありません）</source>
        <translation>%1 cannot be played<byte value="xd"/>(no piece to move)</translation>
    </message>
    <message>
        <source>%1は指せません<byte value="xd"/>（%2）</source>
        <translation>%1 cannot be played<byte value="xd"/>(%2)</translation>
    </message>
    <message>
        <source>局面を貼り付けました<byte value="xd"/></source>
        <translation>The position was pasted<byte value="xd"/></translation>
    </message>
    <message>
        <source>この局面から始めた対局は書き込みできません<byte value="xd"/>（「KIF書出…」で書き出せます）</source>
        <translation>A game started from this position cannot be saved<byte value="xd"/>(&quot;Export KIF…&quot; writes it)</translation>
    </message>
    <message>
        <source>棋譜書込</source>
        <translation>Save record</translation>
    </message>
    <message>
        <source>この局面は後手（上）の番です<byte value="xd"/>ｺﾝﾋﾟｭｰﾀと指すときは「後手」で始めて下さい</source>
        <translation>Gote (above) is to move in this position<byte value="xd"/>Against the computer, start with &quot;Play second (Gote)&quot;</translation>
    </message>
    <message>
        <source>対局</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>この局面は先手（下）の番です<byte value="xd"/>ｺﾝﾋﾟｭｰﾀと指すときは「先手」で始めて下さい</source>
        <translation>Sente (below) is to move in this position<byte value="xd"/>Against the computer, start with &quot;Play first (Sente)&quot;</translation>
    </message>
    <message>
        <source>この局面にはﾊﾝﾃﾞｷｬｯﾌﾟを付けられません</source>
        <translation>No handicap can be given in this position</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｷｬｯﾌﾟ</source>
        <translation>Handicap</translation>
    </message>
    <message>
        <source>KIF（Shift-JIS） (*.kif)</source>
        <translation>KIF (Shift-JIS) (*.kif)</translation>
    </message>
    <message>
        <source>KIFU（UTF-8） (*.kifu)</source>
        <translation>KIFU (UTF-8) (*.kifu)</translation>
    </message>
    <message>
        <source>KIFで書き出す</source>
        <translation>Export as KIF</translation>
    </message>
    <message>
        <source>KIFを読み込む</source>
        <translation>Import a KIF</translation>
    </message>
    <message>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>Sound</name>
    <message>
        <source>Direct Soundインターフェースが作成できません。</source>
        <translation>The sound device cannot be opened.</translation>
    </message>
    <message>
        <source>%1：読み込む許可がありません</source>
        <translation>%1: no permission to read</translation>
    </message>
    <message>
        <source>%1：読み込めません</source>
        <translation>%1: cannot be read</translation>
    </message>
</context>
<context>
    <name>Strength</name>
    <message>
        <source>%1級</source>
        <translation>%1 kyu</translation>
    </message>
    <message>
        <source>%1段</source>
        <translation>%1 dan</translation>
    </message>
</context>
<context>
    <name>kelvore::qt::AnalysisView</name>
    <message>
        <source>盤上の変化</source>
        <translation>variation on the board</translation>
    </message>
    <message>
        <source>対局に戻る</source>
        <translation>Back to the game</translation>
    </message>
</context>
<context>
    <name>kelvore::qt::MainWindow</name>
    <message>
        <source>成る</source>
        <translation>Promote</translation>
    </message>
    <message>
        <source>成らない</source>
        <translation>Do not promote</translation>
    </message>
</context>
<context>
    <name>kelvore::qt::MoveListPanel</name>
    <message>
        <source>ヒントの読み筋</source>
        <translation>hint line</translation>
    </message>
    <message>
        <source>変化の始め</source>
        <translation>start of the line</translation>
    </message>
    <message>
        <source>変化&#x3000;%1（%2 / %3 手）</source>
        <translation>Variation %1 (%2 / %3 moves)</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>使い方: kelvore [--workdir &lt;フォルダ&gt;] [--language ja|en] [--help]
  --workdir &lt;フォルダ&gt;  設定ファイルと棋譜の既定フォルダを置く場所
  --language ja|en      日本語 (ja) か英語 (en) で表示します。選ばなければ window.ini の [view] language、それもなければ日本語
  --help                この説明を表示して終了します</source>
        <translation>Usage: kelvore [--workdir &lt;folder&gt;] [--language ja|en] [--help]
  --workdir &lt;folder&gt;    where the settings file and the default record folder are kept
  --language ja|en      show the program in Japanese (ja) or English (en); without it, the
                        language kept in window.ini ([view] language), else Japanese
  --help                show this help and exit</translation>
    </message>
    <message>
        <source>設定ファイル: %s
効果音とBGM: %s
</source>
        <translation>Settings file: %s
Sounds and music: %s
</translation>
    </message>
    <message>
        <source>kelvore: 不明な引数です: %s (--help で使い方を表示します)
</source>
        <translation>kelvore: unknown argument: %s (--help shows the usage)
</translation>
    </message>
    <message>
        <source>kelvore: 画面が必要です (DISPLAY も WAYLAND_DISPLAY もありません)。画面のない所では xvfb-run build/kelvore で動かして下さい。
</source>
        <translation>kelvore: a display is needed (neither DISPLAY nor WAYLAND_DISPLAY is set). Without a screen, run it as xvfb-run build/kelvore.
</translation>
    </message>
</context>
</TS>
