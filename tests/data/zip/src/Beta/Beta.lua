   bc

abbbb  aa  bbcaa

 bcaa
 ca abb ca 
c
b a
c
  
b 

aac
c

 c bcc
abb ab
c

 c
b
  cabbb
abcab
c b
 b

a


a a b


a
a  
bb
 abc
a bacaa
b cab a
b
acbccacabc

c a
cac
c
aabccb a
 aa aacbb
c b
c
c aacb 
 aaab

  b  b

acc
bcb

abbc c
  ccac
 cbab 
abbc ca
cc



ba
ab 
accbbaccc
bc
 cacc 
cbbcbbba    
cb
abccc

cab
a
bc
c c a cbcc
abcbaba  b
c
abbab
aaa
cbabc
acabcca  
cba aa
c 
 c aac
ca 
cbaabbb
acc c


b

cb
c ac
 
cc

cbca
 acbb aa
baa

b
bc
cbbb
acb  bc  bcaaaa cab
   bacac bbcbc cc b
b cbccaca bbc

 b
abca b bcaababcb
cab  a c ca
bbaab

b
 aaacaaa b
 abb
b

a
c acbbacbaccaab
a 
ccaca 
c
c c  c
  b   bab

c
 bbaa
aa 
c 
c 
a  
c

 b ca 
c
ca
b
cc c

 
bba
c
b
bcbbb bac c a bc acc

c ac c a  b
babc 
b
c
c ca
ba
ca
bc
cccbc a
 abb c
ca  cac  
ccb 
b
b
cabcaa   
  aa

     ba   b
abb 
ac
c  aaba
aa ab
 abc a
 
b abccb
ab
c
cac cc
 
 accb  
ccbbab
c  
bccb 
aca
a 
cacb cbb

   bbab aaba
 ba
b bcb
bbb
a abaa bc  babab cb
c
bccc
bbb ac bcb
ab bb c aacab

ac ca ab cc


abb cb
ca

aacbbcabcc  bccbaca
 a
ab
  aaa

a b 
cacbcbaca cbcaabab c

ac bb

a
ccbc 
bbb

baaaa 
bbabbca  

ac
aa
bbb

aba
caab
bcca 
bac  aabb
bbcbbbbcaa a 
ca
abac ac
b  bcca 
b  
c

aacbbb
 
b 
a  c  abc
 cac 
aa   
c bc
bac  
accacb  
baba b ccbcbbc
 c c

bb 
aabab 
cca

 bc a

c cccc 
a  caaa
  c
b
 ac bacbb


a b
cbc
a 
 a  cccb
 a
cbb
abc
bca
c cbcc b
c  acc c  cab
 
 bcabc
 
 ac c 
cac aa

cc
ccba
a
 acbba  c   ccbb

 cbbca a
a
b
  b
cbbbb
aca cb 
ca


c
bbcac
aca
aacba b c
a 


aa
 a bccc

bb
bc

abba
c caca
a  

 bac
cca 
b  
 bc
ba bcba
a bbcb
ca
aacb a
c
cb
cccaabc a acabc  acc ba

c
 bccabc
  b bbaab

 aaa ab

acc

  babbc aa
bb  

 a
a b b  
ba 
 abba 
bababaa a bba

 cab a aabb
b

ca
 aaa
a





aa

c  a
bab
 bab a
a

caabaacccccb 

cbaaaaa
b
   

baaaab ab
c cbcccac ab b 
ccba 
acb
ccabca
baac cca
a bb
a
b 
abbcac ab
 
bc bccaabc

ba
a caaa
aacab
a 
c bacc  b a ccba babccc
abaab
ccbab aa ca

baacacbcc
bbccccb
abbc abbb cb caaa cbca   aa 
 a a  bb  aabacc  bc
aa
b b

 aa 
ab
b
cbaa c  ba cabccaa  cb
a
a a
b 
bcb cacbba
 a bac bbcc
ba abac ba c
 b
bb bc cbca bc a
cbbab
c
  

 bcb
ac bb
b
cabb ba
  c
bbc aa aacacbb a
 c

a b 

c

b a
c
 bcb c
caa
 bca  cb cb ab
  bbcc  cbbbcaa
b 
 a 
 c

cc cb ab cac
bb
bcccba
 
aba

 
caaabababbbcbaaaaabb ca
ccc  ccaacbcaa
acbcc
 bb

ab  cabca aa
bb  b
a 
 bab
ba bc
 

caabab
cb 
bbbccbbab cc c
ca
cacac
bbbb abca

c 
caaa
   ac
b c  c
 c
aa acba
ba 
acac 
ab aaacb
aacb

 bbb  ccab 
aac  bb
c  bbb a
cbac
 b
ccbcb aab
cac
aacbccccc
c  caba 
babbcc
c  cbb
cacbcb
a
 c  bccbaaacaabca
a ab  c  c
 cccc
a


a   abbbc
ca
a 

 ab ab
c
cab
abc b a bccc
b 

ab
 
bba
a
caab
a
b
 b
bbb a b
c
cb b
 aaacbb
cb
bb
bb
a 
bc 
a a aa
 bc bb
c bbbb c
 ccbb abb
ca
cb   
  c 
b 

b
bbac a ac cc b 

aa c
  
cb
abc c

bcb

 bcaba
c   cc
ac

c acc 


cac ac
accc b aabbabbcbba caab

ab ba   ab
bcaaabaaacba babb
cbca c  c b abbbbca 

a 

a  a
c 
ba

b b ba

ac b
  c 

bc bcb
a
cc
c
cb

 ca ab a
 c

 aa
ba ca
  ca caa cbacccb


 
c c  aabca

bc bc
a  aaaab 
 acc
bbab
ccbbb bccabb
ca 

 ba  ca b  
bcb
a
c bb   c
ca
 
cbcac ab 
cc 

bcacb ac c
c b
bcb
bccb
a ab
ab

abacab
aca acc
a
 c

ba
bbbabac

c  aa
 ac
b caaa 

 bcc
bccc
bbbbba
abc


a
   
aab bbabcba 
  c aba 
ba
bbacacaca ca
 bbbc ca
 b
a abac
acaa
b
 bbb c ab ab ab a
cccbccba   abaaa
bca 
 cba 
 ca
 bba  bab
aaacbab
ccbc cb  baba
 bbcaa ababacac
c

 

bc
b cbcc


b
c
b
a  
ba
cca c
 b

 
cc ac cb cc cacbb ccac
acc a 

cbcc ab acbc abc  c bcbbbccabcaba  bbc
aac 
 
ca  b acaccba
bba


bcabbb 

caa
c

a
 abb c cabac b bc
b a

cc   aa  b

b
 
 bac ac baaaabca  
 cc
cba

 acc
bb cc



cca
cac
cbcacb acb abb
 c cbb bcaa bc a 
 b
babbc
b
b
cc

b 
abcccb


b c
bc  
baaa

a

bcab
aa
b a 
bbbcc
abccaaa
aabcccab 
c
aacbca
 

b 
   bbcc
bbc abab c 
c
 a
c bbc  b
b b 
bbbc
accca c 

bc accb



bbca    bab b
bcb  cbab
bb 

b 
 aab a
a
 bc
b
bcca abcbc
aa
abbbaccac bcac bcb abaaca  abbcac  
 bc a

  

 cb  ba
b 
b

aac aac bb bc bb aca  c

bcabaacacc
baaacacb
 
 aa
 c   a b bc   

ca
a cbb  
ccb

b bcba
a aa
 c
 aaa c
a cb aaab
baa
b

abc  c
bca
a
 c
aaa a
b
c cb
 ac 
cc
c
aa
 cbcac

cccb 
c

b  c
bb
b
aacbcc
b  bacab 
 ab   bc
c 
 
 b b
c
 aaba
bcc  cc
cb
bbab

b ca
bb
bcccacb a b  a  aab cba
a  

ab cbac
aa
a
 
b b
 cc bba
c
 bc
ca
c
aacccc 
    
ca
babbbbb cbc  abab aa aa  
a bba
 bcc   a
aca
 bbcaaaa   ca
 
ca c 
a 

 a a a  

aa
 ca
 
ca bc
  ac

acc
b
 
a  

b
 c
acabcababcb b

c

bab 
 cb b
cca
c aaba 
accab bc
a
a 
b abbcbaacab 
cbbc b
 cc

bb
cbbaabcaccac 
b aac bbbaaa abb a  aa cbb
 c 
cb ac ccab c cb c 
aa a
  c c ab
b
 ba  c a
a bc 
bcc  c
 

bbc
a ac
 cb a  baabc b c
  c abac
a
  c
 bb


 cc c  a 

babaccabb c 
 
aaabba b
ccab
c baaa ca cc bcb bb cb
 
abccc
ba
c b
caa  cc b
bcbc
 
c aa
a

 c b 

b a bc accb 
bc
 
bbc caaccb
bb cac
bacc
 c c
ccabcbcb ccacca
cbbcacca
b ca
  cc

ac 
c
b  cbbc
abbbab
bb
 c cabb 
 bacaacca b

ba

b bcb
c a c bca  bb

a b
acbab
cca a
ac   ccc
ab babc
 baa
a
ba
  
cca 
c
acb bbbba
cb  ca  a
a 
a b  bb
 b
 ccaba c
a


b
bbaacbcbaa baa  b cbb

  bac
bcab aac



bac
a 
 
abc  a b

c
 b ccc
a aca   b
acab
abac cabb c   abbcac
 ba ba 
 
ba
a  b
a
b cb
ca 
b
cac
aac 
b
ca ac
bbc

b
cc
c bcc b
b
b bbcb c   bca cb
cb cbbc 


bbbc
ca bacabac
 c
bccca
a
aab
c
a
 bb 
c acca c
cab
cccc
abaa
 c
b ccbb

cb
a
babc

 b
 
 bacaacba
abbcca
b b
ccbb b  bbc b
c
b ca
c
 a


a
c
abcc a
aab ccabcacccb  accc
acac
 c


c cbacab aa
c

b 

abbab 
abababb 
bb

  cabcc
 ac b
 b


ca 

bac  c
a aa aa
 cbc a 

 
c


c b a a
cb
 bbbbbca ccaa
 c
 
c
b   c aa 
cb
a bbcc

aca
cc 
accccbba
a 
cb
aacb 
ccc
aa
c
ca

 
cac accaca
ab

 a
ca
ccaba  bb
c
c c 


baa


ab cb  
c baa
bbc 
baa
ccaa cbb
a bababba 
ac c b  bc  b
aa 
 aabcba
    b
  b c
a

bccb
bb  
  
bbbccaaca b  a a
a
 ba
bbc cbc
b
cbabc
aaca
aa 
  ca
 b
ab c
c
 acccaaa a
 a aaca a

b bac
a
 

b
aabbbbcc ac b
 bc
abc b bcac 
b 
 aaaac
a aa
abab

b

  bccbc b c
 acb
b c



ca
baabbab ba
cc b acbcb ccccba
c
 aba  b ba
 
aacb

b

 
aab
caab cab
 cbc 
a bc  a 
bbbcbb
b 
bbbbb a ccaba

aaa


aacb
 
cc 
 

b
acbbb
  b  ba   cc c a  c
a b
cca  aab  c 
c
c 
b a
accbccc  
abbbcb c b
 


a

bcab


acc  c 
cbc
bb cb 
ab a 
caaac b a ccb babb
 
bb c aa cb

cac
acbbb


 b abb
cccac ab c bcabb
b bac c
 bbbc a
 aaa bbabbacaa 
caa
b

a 
 cacaa acabc

acca b
 abbba
b
aaabc
cbaacb

ab
b
 

aaabbaaacc 
 c a
ba
 ac  
 
 ba
c
 aba
cc

  acacb
a
b  bcccbccbca

aacc
 ccb cba 
aab
cac
  
  a
cca a  accba
a

 cbba ac 
a

aa  
a
bacaa
bbac  cbb
caaa

 a

cbcb abbaa

 c acb
b 
cccb 
c c
bbbc c ac accaaa bca
  b

ba bcca

  b 
ac ac
acb bc ab
cc
bca cc
a
c  

 aacab
a cbaca
cc

baacca

a bcca
bab  c
c
c
cba

a abc
 ab
bac


bbcbcb
 
bcac bc 
aaa ca
bc ca
b 
 
c
 bbb

a  aa ba
bc
 a   c 
ca
bb
cbcaccbc bc

ac  ccb 

c
  aca bcb
bcbbbb b
caa  

 ac caaa accc
cabba
bc b abbcc
c
c b 
b
 cbac 

c
caabb
caab 
b b
cbabbba
a
 ca
 c 
a 

a 
cacb 
a
b
abb

a abb
a
 
ba  ab aba a

 ba b  
a 
c a c



bc aabc
a 

  c 

baab 
a
baa
babc 
a
c
a
  b ba a
 cca
a


bc b b bbc

b  c  a  b   c abcc
cbbaabcba
bac
cbcb 
b
aa
a
a
 c

b

b baba
 ac 

a
ca
 c a
bb bacc
abbaaabbcaabcca
 bc a 
ab ab

bbbcabbc
acac
cacc
cb 

cbbcab
caca 
 
a
bc
c bbb 
cacc
aa
  c


 ab bcca aacba
b  c
b
 
 


bc bcca

b
a c bc aacc bac
 bc
 c
 
caaaac aab
bc
aaa
bcbbc 
bbab aa
aa bcbcc

a

 

ccc cab

ac
ccaa c

 c b

 cccba
abbca
ccc abb
a
c 
ba
cabaa
a
 b
ca a aacbba
a bc b  b 
bac

b

 

ccb
b a 
bb



a 
 a
aa ac cccb c bcc

cbc 
acb 
  cc   
cbcbaabccb  b bbcaccabccb baa
baac b

abbbbbaa
abbbaacbabba 
caa
ccaaa
b
b cbabba
 cb
abca c ab
c
b 
  ab
  bc abcb b
ba
ba  b
 acaa
b cb



bb


bbac
c c acaac
ac aa

a
c
bbbb bc
b  aa aaabbac

c
ba
abb aa
 ca
baa


a ab

cca
 c c

 a
 a ba 

c a abb
ba
bbccaaaac
a
 aabccbaaa
 

 b
cbcbc   
aba
cb c
 
  ba
cba cc 
b
c 
b

cb c 
ca
bb
 aab b ca
cb
bbca

a  cac 
 cbcbbc c a ba a 
 
 aac

b
a bc cbbccc
cabaccab
ba  bba b 

bacba ab bcbc 

b
acaa ab
b aacb

 ccacca
a

ba
cbba
c  aa
ac ccc

 c  bcca cbbabcbc acb b c 
b

caa
a  abbab
c
bb
 a a 
a 

c
bb abacc  a
bac

ac

c cacb
  cc  
 bcb
ab ac 
acb
 caabcbbb bc
cc
bc
a  
c cab 
a b 
  cab bcacc 
c ca
ac
b bcb b
 c

aaaa c bb bc a b 
bacbbbaa
caacccaca
cc
cb cbb 
  cb ba c ccb
 bac
ccabac cacac ab
 
b  c 
  c
b  aa c 

a
c
a
bc a  
ab
bb
  
c    bbba 


cc
bc 
acbaca
ab     bc cccb baba


cb  bca

 bac
cba
acc
cb ba
a

 
 a
 

 cb 
ba
b 
b bcbcaaaccc
b cacacc
bca 
 abaccacbab  aaca 
c

  c 

ccc  bacb bca

ba
 bbb b
ccc  b  a 
bc
 
ab
  c cc
ab ca
aa
a   a
cb

a ac 
a

abb baa

ab

aacb baabb
c c 
a
ccaaab b ba
c
aab b

ac a
 b acaacb
bbcbcba 
acccb 
c
acab
acc ac
ca 
a a bba ac
ac  b ab 

c
caacabcb
acbac
c  

 ac 
cb

aba abcb a a 

a
a
aacb abbc 
 a
c bcab b
 
acab ab
bb

 
b
  
bc a
 

 aa
 c   a a cbcbaccc


bc
a
b b a
ac b


caacac ccab cbbc
ac
 a
a
 c 
  b
b
abbcc
acc c
c bbb 
bbbcaa

  
a cab
cba
b c a
b c  cc

cac
a
a  
   a
aaccbba abab b
aba
cbc  b 
bcc 
b c
babc
ab  
acabbacba

b bcacba
c  c

bcb c 
 ac ac b c
    acbc    aba  c


ac 

 aabba
c
  c b aa abacac caa
a
c
ca  a cabcbc  aabab cca
cc
  ccb
 cb 
c
cb 
