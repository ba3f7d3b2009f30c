<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Analysis</name>
    <message>
        <source>%1を取られます: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1から詰みます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1で詰みでした</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1を取る代わりに%2を取られます: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1を只で取られます: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1から%2を取られます: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1で%2が取れました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1から%2が取れました: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>形勢を損ねます。最善手は%1でした</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>形勢を損ねます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>疑問手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>悪手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>勝ちまで %1手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>詰み</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>負けまで %1手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>評価値 %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AnalysisController</name>
    <message>
        <source>開始局面</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1手目 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&#x3000;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>評価値&#x3000;解析中</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>評価値&#x3000;未解析</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>評価値（▲から）%1&#x3000;▲の勝率 %2%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最善手&#x3000;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>読み筋&#x3000;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
指した側から 着手前 %1 → 着手後 %2（損失 %3）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（指した手）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1&#x3000;疑問手 %2&#x3000;悪手 %3&#x3000;平均損失 %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>▲先手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>△後手</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AnalysisView</name>
    <message>
        <source>解析</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解析の進み具合</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%v / %m 局面</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中止</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解析を中止</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解析の状態</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選んだ手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>評価値</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最善手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>読み筋</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>理由</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>先手のまとめ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>後手のまとめ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解析中（%1 / %2 局面）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解析が終わりました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解析を中止しました（%1 / %2 局面）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜の解析はまだありません</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EvaluationGraph</name>
    <message>
        <source>評価値グラフ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>▲有利</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>△有利</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>▲から見た評価値（±%1まで）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>。現在: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>。まだ解析されていません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>、</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Game</name>
    <message>
        <source>ｺﾝﾋﾟｭｰﾀは指す手がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>投了</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>よし！!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>詰め ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>   ** 王手 **</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>   ** 王手(王子) **</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>「対局」で始めて下さい</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開始</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>終わり</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>進む</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>できません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この手は進められません<byte value="xd"/>（盤面と棋譜が合いません）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>戻る</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この手は戻せません<byte value="xd"/>（盤面と棋譜が合いません）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜ﾓｰﾄﾞではできません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>反転</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>先手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>後手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>あなた</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ｺﾝﾋﾟｭｰﾀ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1の勝ちです</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>終了</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>続けますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>再ゲーム</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>先手の番です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>後手の番です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MANの番です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>対局</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜を &apos;進 &apos;で進めて下さい</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>勝負は付いています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OKですか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>再開(COM)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>マウスの右をクリックして下さい</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>成り</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>成りますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>対局途中ではできません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>反転後ではできません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source><byte value="xd"/><byte value="xd"/>局面→最初にして下さい</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HowTo</name>
    <message>
        <source>Kelvore 将棋  バージョン %1<byte value="xd"/><byte value="xd"/>酔象と太子のある将棋です。<byte value="xd"/>象は真後ろ以外の七方向に一つ進み、成ると太子になります。<byte value="xd"/><byte value="xd"/>【遊び方】<byte value="xd"/>・動かす駒をクリックして持ち上げ、行き先の桝をクリックして置きます。<byte value="xd"/>・成るときは、行き先を右ボタンでクリックします（左ボタンでは成りません）。「対局」→「対局設定…」で、成るかどうか尋ねるようにもできます。<byte value="xd"/>・持ち駒は、盤の横の駒をクリックしてから、打つ桝をクリックします。<byte value="xd"/>・「戻」で一手ずつ戻せます。戻した局面で盤をクリックすると、そこから対局を続けます。<byte value="xd"/>・「進」は戻した手を一手ずつ進めます。読み込んだ棋譜も「進」で進めます。<byte value="xd"/>・持ち時間（切れ負け、秒読み、加算）は「対局設定…」で決めます。負けを認めるときは「投了」、やめるときは「中断」です。<byte value="xd"/>・Esc キーと閉じるボタンは、何も聞かずにすぐ終了します。対局中の対局は中断として対局記録に残ります。<byte value="xd"/>・F1 で BGM を、F2 で経過時間の表示を入り切りします。<byte value="xd"/>・王手を放っておくと王を取られることがあります。王（と太子）をすべて取られた方の負けで、対局が終わります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kelvore について</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Kept</name>
    <message>
        <source>KIFに書けない文字があります</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>同じ名前の記録が多すぎます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>対局記録を保存できませんでした<byte value="xd"/></source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>対局記録</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Match</name>
    <message>
        <source>%1が投了しました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1の時間切れです</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1：対局中ではありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>投了</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中断</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>対局を中断しました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>対局を中断しました（戻と進で手順を見られます）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>詰みです — 投了できます</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MatchDialog</name>
    <message>
        <source>なし</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>切れ負け 10分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10分＋秒読み30秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>秒読み30秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>15分＋加算10秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>持ち時間の分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>持ち時間の秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>持ち時間</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>秒読み</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加算</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>秒読みか加算の秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>その後</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>対局設定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>持ち時間の形式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>その他（下で設定）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>形式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上の側（ｺﾝﾋﾟｭｰﾀ、二人なら後手）に別の持ち時間</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上の側に別の持ち時間</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上の側（ｺﾝﾋﾟｭｰﾀ・後手）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上の側の</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>左クリックで成れるとき「成りますか？」と尋ねる</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>成るかどうか尋ねる</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下の側（あなた・先手）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>両者</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下の側の持ち時間の分</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>対局</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>対局(人間)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>スタート</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>対局(COM)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>先手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>後手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM対局ﾚﾍﾞﾙ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LEVEL1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LEVEL2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LEVEL3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LEVEL4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LEVEL5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>終わり</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>対局設定…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>投了</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中断</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>局面</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最初</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>反転</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>戻</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>進</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>△</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>▽</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>読込</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>書込</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解析</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KIF書出…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KIF読込…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>局面をSFENでコピー</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜をUSIでコピー</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SFENの局面を貼付</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>背景画</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>緑</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>畳</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>竹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>宇宙</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>煉瓦</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>移動指導</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>経過時間</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BGM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>指し手一覧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>その他</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MoveListModel</name>
    <message>
        <source>開始局面</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1手目 %2 %3 %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>手数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>指し手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>時間</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>判定</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MoveListPanel</name>
    <message>
        <source>指し手一覧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>指し手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヒント：%1&#x3000;%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヒント：考えています…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtRecordPanel</name>
    <message>
        <source>ﾌｧｲﾙ名 ：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>後    手 ：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>先    手 ：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>対 局 名：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtStatusLine</name>
    <message>
        <source>お知らせ</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Record</name>
    <message>
        <source>名前に改行は使えません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift-JISで書けない文字があります</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>このフォルダに書き込む許可がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ディスクに空きがありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイル名が長すぎます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>フォルダが見つかりません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>読み取り専用のディスクです</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>このファイル名は使えません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>同じ名前のフォルダがあります</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>通常のファイルでないもの（FIFO、デバイスなど）には書き込めません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>書き込みに失敗しました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名に改行や制御文字は使えません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名が空白だけです</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>反転後は書き込みできません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜書込</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾃﾞﾊﾞｲｽが準備できていません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ｴﾗｰ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名が入力されていません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存するデータがありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名に「/」や「\」は使えません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名にShift-JISで書けない文字があります</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜を書き込めませんでした<byte value="xd"/></source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜を書き込みました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙを開けません<byte value="xd"/></source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙの%1手目が正しくありません<byte value="xd"/>（%2）<byte value="xd"/>%3手目までを読み込みました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 読み込みました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜を &apos;進 &apos;で進めて下さい</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙの形式が正しくありません<byte value="xd"/>（見出しの3行がありません）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙの見出しがShift-JISとして読めません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙが大きすぎます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>勝負が付いた後の指し手です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>駒の番号が正しくありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>手番の順が正しくありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>移動先が盤の外です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取った駒が盤面と合いません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打てない駒を打っています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>持駒の側が合いません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>持っていない駒を打っています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>駒のある所に打っています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>二歩です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>その段には打てません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>移動元が盤の外です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>移動元に動かす駒がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>その駒はそこへ動けません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>成れない駒が成っています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>成らなければならない駒が成っていません</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordPlaces</name>
    <message>
        <source>ホーム  </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Screen</name>
    <message>
        <source>思考中</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>秒読み%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７段</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４段</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７級</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:11級</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>手目</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Sharing</name>
    <message>
        <source>KIF書出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KIF読込</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SFEN貼付</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>先手（下）の番です<byte value="xd"/>二人で指すときは盤をクリックして下さい。<byte value="xd"/>ｺﾝﾋﾟｭｰﾀと指すときは「先手」で始めて下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>後手（上）の番です<byte value="xd"/>二人で指すときは盤をクリックして下さい。<byte value="xd"/>ｺﾝﾋﾟｭｰﾀと指すときは「後手」で始めて下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>局面をSFENで</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜をUSIの形で</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>書き出す対局がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift-JISで書けない文字があります<byte value="xd"/>.kifu（UTF-8）で書き出して下さい</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KIFを書き出せませんでした<byte value="xd"/></source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KIFを書き出しました：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KIFファイル（.kif か .kifu）を選んで下さい</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KIFファイルが大きすぎます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KIFファイルを開けません<byte value="xd"/></source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KIFファイルを読み込めません<byte value="xd"/></source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KIFの局面を読み込みました<byte value="xd"/></source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KIFを読み込みました（%1手）<byte value="xd"/>棋譜を &apos;進 &apos;で進めて下さい</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1クリップボードにコピーしました：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>クリップボードに局面（SFEN）がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>局面を読めません<byte value="xd"/>（position の後には sfen か startpos が要ります）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>局面を読めません<byte value="xd"/>（startpos の後には moves しか書けません）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SFENとして読めません<byte value="xd"/>（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この局面では対局できません<byte value="xd"/>（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1手目の「%2」</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1は指し手として読めません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1は指せません<byte value="xd"/>（動かす駒がありません）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1は指せません<byte value="xd"/>（%2）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>局面を貼り付けました<byte value="xd"/></source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この局面から始めた対局は書き込みできません<byte value="xd"/>（「KIF書出…」で書き出せます）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋譜書込</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この局面は後手（上）の番です<byte value="xd"/>ｺﾝﾋﾟｭｰﾀと指すときは「後手」で始めて下さい</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>対局</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この局面は先手（下）の番です<byte value="xd"/>ｺﾝﾋﾟｭｰﾀと指すときは「先手」で始めて下さい</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この局面にはﾊﾝﾃﾞｷｬｯﾌﾟを付けられません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｷｬｯﾌﾟ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KIF（Shift-JIS） (*.kif)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KIFU（UTF-8） (*.kifu)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KIFで書き出す</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KIFを読み込む</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>すべてのファイル (*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Sound</name>
    <message>
        <source>Direct Soundインターフェースが作成できません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1：読み込む許可がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1：読み込めません</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvore::qt::MainWindow</name>
    <message>
        <source>成る</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>成らない</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>使い方: kelvore [--workdir &lt;フォルダ&gt;] [--language ja|en] [--help]
  --workdir &lt;フォルダ&gt;  設定ファイルと棋譜の既定フォルダを置く場所
  --language ja|en      日本語 (ja) か英語 (en) で表示します。選ばなければ window.ini の [view] language、それもなければ日本語
  --help                この説明を表示して終了します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>設定ファイル: %s
効果音とBGM: %s
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kelvore: 不明な引数です: %s (--help で使い方を表示します)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kelvore: 画面が必要です (DISPLAY も WAYLAND_DISPLAY もありません)。画面のない所では xvfb-run build/kelvore で動かして下さい。
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
