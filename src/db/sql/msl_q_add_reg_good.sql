insert into RegMslGood (RegMsl_id,electro_id) values (:id1,:id2)
