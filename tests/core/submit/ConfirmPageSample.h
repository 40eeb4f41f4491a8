#pragma once

#include <string>

#include "core/common/Encoding.h"

// Confirmation pages in the shapes the service answers a filled sell form with: the navigation
// around it, the summary and fee tables, the optional category-change box and photo gallery.
namespace nuvo::test {

struct ConfirmPageShape {
  int photos = 0;
  bool feeBlock = false;
  bool categoryChange = false;
};

inline std::string ConfirmPageSample(const ConfirmPageShape& shape) {
  std::string html = R"html(<html><head><title>出品内容の確認 - ヤフオク!</title>
<link rel="stylesheet" type="text/css" href="/css/sell.css">
<link rel="stylesheet" type="text/css" href="https://s.example/css/common.css">
<link rel="icon" href="/favicon.ico">
<script type="text/javascript">var tracking = "<b>";</script>
</head><body onload="init()">
<div id="mastHead"><a href="https://a.example/">ヤフオク!</a></div>
<div class="wrapper">
<div id="modLoginBar">こんにちは、<b>seller01</b>さん</div>
<div id="yaucSellItemCfm">
<div id="modTitBar"><h1>出品内容の確認</h1></div>
<ul class="StepNavi"><li>入力</li><li>確認</li><li>完了</li></ul>
<form name="auction" method="post" action="/sell/jp/submit">
<input type="hidden" name="Title" value="時計 &amp; ベルト">
<div id="modCfmBox" class="decCfmBox">
)html";
  if (shape.categoryChange) {
    html += R"html(<div class="acMdCateChange"><p>カテゴリが変更されています。</p>
<label><input type="checkbox" id="acMdCateChangeConfirm" name="cate_change" value="1">変更後のカテゴリで出品する</label>
<input type="button" value="カテゴリを選び直す" onclick="back()"></div>
)html";
  }
  if (shape.photos > 0) {
    html +=
        R"html(<div class="ProductImage"><div class="ProductImage__body"><ul class="ProductImage__images">)html";
    for (int i = 1; i <= shape.photos; ++i) {
      html += "<li class=\"ProductImage__image\"><img src=\"/img/large" + std::to_string(i) +
              ".jpg\" width=\"600\" height=\"450\" alt=\"\"></li>";
    }
    html += R"html(</ul></div><ul class="ProductImage__thumbnails">)html";
    for (int i = 1; i <= shape.photos; ++i) {
      html +=
          "<li class=\"ProductImage__thumbnail\"><a class=\"ProductImage__link\" "
          "href=\"javascript:void(0)\"><img src=\"/img/small" +
          std::to_string(i) + ".jpg\" width=\"75\" height=\"56\"></a></li>";
    }
    html +=
        R"html(</ul><div class="ProductImage__caption"><p class="ProductImage__captionText"></p></div></div>
)html";
  }
  html +=
      R"html(<div class="decSmryTable"><table><tr><th>タイトル</th><td>時計 &lt;b&gt;限定&lt;/b&gt; &amp; ベルト</td></tr>
<tr><th>開始価格</th><td>1,000 円</td></tr></table></div>
)html";
  if (shape.feeBlock) {
    html += R"html(<div class="ExCharge"><table><tr><th>出品手数料</th><td>0 円</td></tr>
<tr><th>注目のオークション</th><td>30 円</td></tr></table></div>
)html";
  }
  html += R"html(<div class="Note__text">NOTE: 出品後は商品の説明を変更できません。</div>
<div class="Note__text">広告のご案内</div>
<noscript><p>JavaScriptを有効にしてください</p></noscript>
<iframe src="https://ad.example/"></iframe>
<table class="decDrftSave"><tr><td><input type="button" value="下書き保存"></td></tr></table>
<br>
<p><a href="javascript:openHelp()" onclick="return help()">ヘルプ</a> <a href="/help/fee.html">手数料について</a></p>
<input type="submit" id="auc_preview_submit" value="出品する" onclick="configSubmit('/sell/jp/submit'); return false;">
</div>
</form>
</div>
</div>
<div id="Footer">Copyright</div>
</body></html>
)html";
  return Cp932(html);
}

}  // namespace nuvo::test
