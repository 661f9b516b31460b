delete from RegMslGood where RegMslGood_id=:id
