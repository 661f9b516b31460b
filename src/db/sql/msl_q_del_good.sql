delete from RegMslGood where RegMsl_id=:id
